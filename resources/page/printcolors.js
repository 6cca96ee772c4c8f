// Paper is white and read in the hand: the page prints as dark text on white, the right way
// round whatever the glass needs. Text that would vanish on white (the page's white, or any
// other colour too light to read there) prints black; every other colour is kept. The marks
// are made anew for each print, since the operator may have changed the script in between, and
// only the print style uses them: the screen stays as it is.
(function () {
    const luminance = (color) => {
        const channels = color.match(/[\d.]+/g).slice(0, 3).map((value) => {
            const c = Number(value) / 255;
            return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
        });
        return 0.2126 * channels[0] + 0.7152 * channels[1] + 0.0722 * channels[2];
    };
    const unreadableOnWhite = (color) => 1.05 / (luminance(color) + 0.05) < 1.5;
    for (const element of [document.body, ...document.body.querySelectorAll('*')])
        element.classList.toggle('vantell-print-dark', unreadableOnWhite(getComputedStyle(element).color));
    if (window.vantellPrintStyle) return;
    window.vantellPrintStyle = true;
    const sheet = new CSSStyleSheet();
    sheet.replaceSync('@media print {' +
        ' html, body { background: #FFFFFF !important; transform: none !important; }' +
        ' .vantell-print-dark { color: #000000 !important; } }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
})();
