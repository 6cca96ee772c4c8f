// The page's body tag carries the legacy mirror and rotation filters, which this browser does
// not know; this style sheet gives the same flip and turn of the whole body, and keeps the
// reader from selecting text by accident.
(function () {
    if (location.protocol !== 'vantell:') return;
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(
        'body[style*="BasicImage(mirror=1)"] { transform: scaleX(-1); }' +
        'body[style*="BasicImage(rotation=2)"] { transform: rotate(180deg); }' +
        'body[style*="BasicImage(mirror=1)"][style*="BasicImage(rotation=2)"] { transform: scaleX(-1) rotate(180deg); }' +
        'html, body { user-select: none; }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
})();
