// Reports, once the page has loaded, whether its jQuery and Bootstrap scripts ran and how many of its
// pictures could not be shown.
(async () => {
    if (document.readyState !== 'complete')
        await new Promise((done) => window.addEventListener('load', done));
    return {
        jquery: typeof window.jQuery === 'function',
        bootstrap: typeof window.jQuery === 'function' && typeof window.jQuery.fn.modal === 'function',
        brokenImages: Array.from(document.images).filter((image) => !(image.complete && image.naturalWidth > 0)).length,
    };
})()
