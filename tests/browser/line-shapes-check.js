// Draws every line shape of the page (the inline SVGs written for lines) onto one white canvas at
// the place the page shows it, and reports that picture and each shape's box on the page.
(async () => {
    const canvas = document.createElement('canvas');
    canvas.width = 800;
    canvas.height = 600;
    const g = canvas.getContext('2d');
    g.fillStyle = '#ffffff';
    g.fillRect(0, 0, canvas.width, canvas.height);
    const boxes = [];
    for (const svg of document.querySelectorAll('svg[class^="lineShape"]')) {
        const r = svg.getBoundingClientRect();
        const left = r.left + window.scrollX;
        const top = r.top + window.scrollY;
        boxes.push({
            name : svg.getAttribute('class'),
            left,
            top,
            width : r.width,
            height : r.height,
            zIndex : getComputedStyle(svg).zIndex
        });
        // Drawn as an image on its own: the page places it (its box above), and a positioned root
        // draws nothing as an image, so the copy drops its style.
        const copy = svg.cloneNode(true);
        copy.removeAttribute('style');
        const image = new Image();
        const loaded = new Promise((resolve, reject) => {
            image.onload = resolve;
            image.onerror = reject;
        });
        image.src = 'data:image/svg+xml;charset=utf-8,' +
                    encodeURIComponent(new XMLSerializer().serializeToString(copy));
        await loaded;
        g.drawImage(image, left, top);
    }
    return {boxes, png : canvas.toDataURL('image/png')};
})()
