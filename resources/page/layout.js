// Lays a script page out as the program asks: called with the style rule that sets its width and
// scale (empty for a page as wide as its view) and the scale itself (0: unscaled), which the
// smooth motion keeps in its shift.
(function (rule, scale) {
    if (location.protocol !== 'vantell:') return;
    if (!window.__vantellLayout) {
        window.__vantellLayout = new CSSStyleSheet();
        document.adoptedStyleSheets = [...document.adoptedStyleSheets, window.__vantellLayout];
    }
    window.__vantellLayout.replaceSync(rule);
    window.__vantellScale = scale;
})
