// Run in a page with two automatic scripted slideshows (numbers 0 and 1): stepping and stopping
// the first must leave the second running.
(async () => {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const state = () => [window.currentSlide0, window.currentSlide1];
  const result = { start: state() };
  $('#nextButton0').click();
  await sleep(1300);
  result.afterNext = state();
  // A click on the previous button stops that slideshow's automatic advance.
  $('#previousButton0').click();
  await sleep(1300);
  result.afterPrevious = state();
  await sleep(5000);
  result.afterInterval = state();
  result.scroll = [$('#slideshow_all0').scrollLeft(), $('#slideshow_all1').scrollLeft()];
  return result;
})()
