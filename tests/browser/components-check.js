// Run in the published responsive page: every navigation bar toggle, text carousel and slideshow
// carousel is worked in turn, and the state of all of them is recorded after each step.
(async () => {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const result = {};

  const toggles = Array.from(document.querySelectorAll('button[data-toggle=collapse]'));
  const targets = toggles.map((t) => t.getAttribute('data-target'));
  const opened = () => targets.map((id) => {
    const menu = document.querySelector(id);
    return !!menu && menu.classList.contains('in');
  });
  result.navbarTargets = targets;
  result.navbars = [opened()];
  for (const toggle of toggles) {
    toggle.click();
    await sleep(700);
    result.navbars.push(opened());
  }

  const activeSlides = (selector) => Array.from(document.querySelectorAll(selector)).map((carousel) =>
    Array.from(carousel.querySelectorAll('.carousel-inner > .item')).findIndex((item) => item.classList.contains('active')));
  const work = async (selector) => {
    const states = [activeSlides(selector)];
    for (const carousel of document.querySelectorAll(selector)) {
      carousel.querySelector('.right.carousel-control').click();
      await sleep(1000);
      states.push(activeSlides(selector));
    }
    return states;
  };
  result.quoteIds = Array.from(document.querySelectorAll('.carousel[id^="quote-carousel"]')).map((c) => c.id);
  result.quotes = await work('.carousel[id^="quote-carousel"]');
  result.slideshowIds = Array.from(document.querySelectorAll('.carousel[id^="carousel"]')).map((c) => c.id);
  result.slideshows = await work('.carousel[id^="carousel"]');
  return result;
})()
