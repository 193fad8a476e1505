// Reports every picture of the page, once the page has loaded, with whether it could be shown.
(async () => {
    if (document.readyState !== 'complete')
        await new Promise((done) => window.addEventListener('load', done));
    return Array.from(document.images).map((image) => ({
        src: image.getAttribute('src'),
        loaded: image.complete && image.naturalWidth > 0,
    }));
})()
