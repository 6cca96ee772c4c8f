// Paper is white and read in the hand: the page prints as dark text on white, the right way
// round whatever the glass needs. A colour that does not read on white (a contrast under 4.5 : 1,
// as WCAG asks of text: the page's white, yellow, the colours the page lightened for its black)
// prints darker in its own hue, just until it reads, and a grey prints black; every other colour
// is kept. The colours are worked out anew for each print, since the operator may have changed
// the script in between, and only the print style uses them: the screen stays as it is.
(function () {
    const readable = 4.5;
    const linear = (value) => {
        const c = value / 255;
        return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
    };
    const onWhite = ([r, g, b]) => 1.05 / (0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b) + 0.05);
    const toHsl = ([r, g, b]) => {
        const [red, green, blue] = [r / 255, g / 255, b / 255];
        const max = Math.max(red, green, blue);
        const min = Math.min(red, green, blue);
        const lightness = (max + min) / 2;
        if (max === min) return [0, 0, lightness];
        const chroma = max - min;
        const saturation = chroma / (1 - Math.abs(2 * lightness - 1));
        let hue = max === red ? (green - blue) / chroma : max === green ? (blue - red) / chroma + 2 : (red - green) / chroma + 4;
        return [((hue * 60) + 360) % 360, saturation, lightness];
    };
    const fromHsl = (hue, saturation, lightness) => {
        const chroma = (1 - Math.abs(2 * lightness - 1)) * saturation;
        const x = chroma * (1 - Math.abs(((hue / 60) % 2) - 1));
        const sector = Math.floor(hue / 60) % 6;
        const [r, g, b] = [[chroma, x, 0], [x, chroma, 0], [0, chroma, x], [0, x, chroma], [x, 0, chroma], [chroma, 0, x]][sector];
        const m = lightness - chroma / 2;
        return [r, g, b].map((c) => Math.round((c + m) * 255));
    };
    // The colour text of `color` prints in, or null for a colour that reads on white as it is.
    const printed = (color) => {
        const rgb = color.match(/[\d.]+/g).slice(0, 3).map(Number);
        if (onWhite(rgb) >= readable) return null;
        const [hue, saturation, lightness] = toHsl(rgb);
        if (saturation < 0.12) return 'rgb(0, 0, 0)';
        let reads = 0;
        let fails = lightness;
        for (let step = 0; step < 24; ++step) {
            const middle = (reads + fails) / 2;
            if (onWhite(fromHsl(hue, saturation, middle)) >= readable) reads = middle;
            else fails = middle;
        }
        return `rgb(${fromHsl(hue, saturation, reads).join(', ')})`;
    };
    for (const element of [document.body, ...document.body.querySelectorAll('*')]) {
        const color = printed(getComputedStyle(element).color);
        element.classList.toggle('vantell-print-dark', color !== null);
        if (color) element.style.setProperty('--vantell-print-color', color);
        else element.style.removeProperty('--vantell-print-color');
    }
    if (window.vantellPrintStyle) return;
    window.vantellPrintStyle = true;
    const sheet = new CSSStyleSheet();
    sheet.replaceSync('@media print {' +
        ' html, body { background: #FFFFFF !important; transform: none !important; }' +
        ' .vantell-print-dark { color: var(--vantell-print-color, #000000) !important; } }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
})();
