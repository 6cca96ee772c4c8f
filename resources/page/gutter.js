// Keeps side margins of the given width (pixels of the page's layout) free of text on a script
// page, for the reading line drawn over them; 0 gives the margins back to the text.
(function (width) {
    if (location.protocol !== 'vantell:') return;
    if (!window.__vantellGutter) {
        window.__vantellGutter = new CSSStyleSheet();
        document.adoptedStyleSheets = [...document.adoptedStyleSheets, window.__vantellGutter];
    }
    window.__vantellGutter.replaceSync(width > 0 ?
        'body { padding-left: ' + width + 'px; padding-right: ' + width + 'px; }' : '');
})
