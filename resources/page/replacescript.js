// Puts a new version of the script into a script page in place of the one it shows, without
// loading a new document, so that a story edited while it is read changes under the reader's eyes
// and nowhere else. Each paragraph of such a script starts with an empty mark that carries its key
// (<span data-p="key">). The mark at the reader's edge (the top of the view, or its bottom on a
// page turned upside down, whose reader sees it turned back) keeps its distance from that edge;
// `replacedBy` names, by old key, the paragraph to keep instead of one that has gone. A script
// without marks stays where the view is.
(function (html, replacedBy) {
    if (location.protocol !== 'vantell:') return;
    const turned = /rotation=2/.test(document.body.getAttribute('style') || '');
    // How far the reader has come past a mark: positive once the mark is behind the edge.
    const past = (mark) => {
        const box = mark.getBoundingClientRect();
        return turned ? box.bottom - window.innerHeight : -box.top;
    };
    let key = null;
    let distance = 0;
    for (const mark of document.querySelectorAll('span[data-p]')) {
        const d = past(mark);
        if (d >= 0 && (key === null || d < distance)) {
            key = mark.getAttribute('data-p');
            distance = d;
        }
    }
    document.body.innerHTML = html;
    if (key === null) return;
    const find = (k) => document.querySelector('span[data-p="' + k + '"]');
    const mark = find(key) || (replacedBy[key] !== undefined ? find(replacedBy[key]) : null);
    if (!mark) return;
    const shift = past(mark) - distance;
    window.scrollBy(0, turned ? shift : -shift);
})
