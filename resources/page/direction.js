// Each paragraph of a script page takes its direction from its own text, as the quick editor
// does: one whose first letter belongs to a right-to-left script (Arabic, Hebrew, Syriac, Thaana,
// N'Ko ...) is laid out right to left and starts at the right; the others stay as they are. A
// paragraph of the page is a line ended by <br>, so the direction is found line by line
// (unicode-bidi: plaintext) in the body and in a rich script's paragraphs and list items, whose
// lines also end in <br>. A rich paragraph opened left-aligned is one whose script set no
// alignment (left is every paragraph's own): it starts where its direction starts. Centred,
// right-aligned and justified paragraphs keep the alignment the script gave them.
(function () {
    if (location.protocol !== 'vantell:') return;
    const sheet = new CSSStyleSheet();
    sheet.replaceSync(
        'body, p, li { unicode-bidi: plaintext; }' +
        'p[style="text-align: left;" i], li[style="text-align: left;" i] { text-align: start !important; }');
    document.adoptedStyleSheets = [...document.adoptedStyleSheets, sheet];
})();
