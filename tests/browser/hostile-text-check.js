// Whether any script of the page's author texts ran, the text the page shows, and how many line
// shapes it draws.
(() => ({
    injected : window.injected || 'none',
    text : document.body.innerText,
    lines : document.querySelectorAll('svg[class^="lineShape"]').length
}))()
