// Measures the page's words for voice following: each run of text between spaces with the top of
// its line (page positions, as drawn), leaving out the markers' lines and
// the banners between a continuous page's stories; and the height of a line of the page's text and
// of the view.
(function () {
    const words = [];
    const y = window.scrollY;
    if (document.body) {
        const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
        const range = document.createRange();
        for (let node = walker.nextNode(); node; node = walker.nextNode()) {
            const parent = node.parentElement;
            if (!parent || parent.closest('.vantell-marker, [data-vantell-banner], script, style'))
                continue;
            const text = node.nodeValue;
            for (const match of text.matchAll(/\S+/g)) {
                range.setStart(node, match.index);
                range.setEnd(node, match.index + match[0].length);
                const box = range.getBoundingClientRect();
                if (box.width > 0 || box.height > 0)
                    words.push([match[0], Math.round(box.top + y)]);
            }
        }
    }
    let line = 0;
    if (document.body) {
        const probe = document.createElement('span');
        probe.textContent = 'Xg';
        document.body.appendChild(probe);
        line = probe.getBoundingClientRect().height;
        probe.remove();
    }
    return [words, line, window.innerHeight];
})()
