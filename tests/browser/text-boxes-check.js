// Reports where each text box of the page stands, the font-family it is set in, and the web fonts
// the page loaded, once every font the page asked for has arrived or failed.
(async () => {
    await document.fonts.ready;
    const boxes = Array.from(document.querySelectorAll('div[class^="text"]')).map((d) => {
        const r = d.getBoundingClientRect();
        return {
            name : d.className,
            left : r.left + window.scrollX,
            top : r.top + window.scrollY,
            fontFamily : getComputedStyle(d).fontFamily,
            text : d.textContent
        };
    });
    const fonts = Array.from(document.fonts).map((f) => ({family : f.family, status : f.status}));
    return {boxes, fonts};
})()
