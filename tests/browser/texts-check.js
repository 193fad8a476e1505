// Reports the own text of every element the page lays out with a size: an element hidden by
// display or visibility, or of no width or height, is left out.
(() => {
    const shown = [];
    for (const element of document.body.querySelectorAll('*')) {
        const own = Array.from(element.childNodes)
                        .filter((node) => node.nodeType === Node.TEXT_NODE)
                        .map((node) => node.textContent.trim())
                        .join(' ')
                        .trim();
        if (!own)
            continue;
        const style = getComputedStyle(element);
        const rect = element.getBoundingClientRect();
        if (style.display === 'none' || style.visibility === 'hidden' || rect.width === 0 || rect.height === 0)
            continue;
        shown.push(own);
    }
    return shown;
})()
