// Reports the texts of the page's text boxes, how many there are, and how many of its pictures
// have loaded, once the page's fonts have arrived.
(async () => {
    await document.fonts.ready;
    const boxes = Array.from(document.querySelectorAll('div[class^="text"]'));
    const images = Array.from(document.images);
    await Promise.all(images.map((i) => i.complete ? null : new Promise((r) => { i.onload = i.onerror = r; })));
    return {
        boxes : boxes.length,
        texts : boxes.map((d) => d.textContent),
        loadedImages : images.filter((i) => i.naturalWidth > 0).length
    };
})()
