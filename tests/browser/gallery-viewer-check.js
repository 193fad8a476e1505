// Run in a page with one gallery of enlargeable, captioned pictures: which pictures show and load,
// the captions their links carry, and the enlarged view a click on the first picture opens and its
// close button shuts again.
(async () => {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const visible = (element) => {
    const style = getComputedStyle(element);
    const box = element.getBoundingClientRect();
    return style.display !== 'none' && style.visibility !== 'hidden' && box.width > 0 && box.height > 0;
  };
  const shown = () => [...document.querySelectorAll('img')].filter(visible)
    .map((img) => img.getAttribute('src') + (img.naturalWidth > 0 ? '' : ' (not loaded)'));
  const openViews = () => [...document.querySelectorAll('.modal')].filter(visible)
    .map((modal) => {
      const caption = modal.querySelector('p');
      const link = caption && caption.querySelector('a');
      return { id: modal.id, caption: caption ? caption.textContent : '', link: link ? link.getAttribute('href') : null };
    });
  const result = {
    before: shown(),
    titles: [...document.querySelectorAll('a[data-toggle="modal"]')].map((a) => a.getAttribute('title')),
  };
  const first = document.querySelector('a[data-toggle="modal"]');
  if (first) {
    first.click();
    await sleep(800);
  }
  result.opened = openViews();
  result.whileOpen = shown();
  const close = [...document.querySelectorAll('.modal')].filter(visible)
    .map((modal) => modal.querySelector('[data-dismiss="modal"]'))[0];
  if (close) {
    close.click();
    await sleep(800);
  }
  result.afterClose = openViews();
  return result;
})()
