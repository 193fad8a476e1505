// Run in a photo catalog page: the libraries it loaded, its pictures, and the viewer a click on the
// second picture opens, stepped to the next picture and back twice.
(async () => {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const shownStyle = (element) => !!element && getComputedStyle(element).display !== 'none';
  const viewer = () => {
    const holder = document.getElementById('myModal');
    const picture = holder.querySelector('img');
    return {
      open: holder.classList.contains('in') && shownStyle(holder),
      src: picture ? picture.getAttribute('src') : null,
      next: shownStyle(holder.querySelector('a.controls.next')),
      previous: shownStyle(holder.querySelector('a.controls.previous')),
    };
  };
  const items = [...document.querySelectorAll('ul.row > li img')];
  const result = {
    jquery: window.jQuery ? window.jQuery.fn.jquery : null,
    modal: !!(window.jQuery && window.jQuery.fn.modal),
    styled: getComputedStyle(document.querySelector('.jumbotron')).paddingTop,
    sources: items.map((img) => img.getAttribute('src')),
    loaded: items.filter((img) => img.naturalWidth > 0).length,
  };
  if (items.length < 2) return result;
  items[1].click();
  await sleep(800);
  result.opened = viewer();
  document.querySelector('#myModal a.controls.next').click();
  await sleep(200);
  result.afterNext = viewer();
  document.querySelector('#myModal a.controls.previous').click();
  await sleep(200);
  document.querySelector('#myModal a.controls.previous').click();
  await sleep(200);
  result.afterPreviousTwice = viewer();
  return result;
})()
