// Changes the stories of a continuous page in place, without loading a new document, so that the
// newsroom's changes to the show reach the page while it is read and the line at the reading line
// stays where the reader sees it. A story is its element ([data-vantell-story], which holds its
// banner and its text), the line break after it, and the mark of its first line before it (the
// story's markup brings its own: left in place, the old one would count a line too many).
//
//   order:      the stories' keys in their new order
//   removed:    keys of stories that leave the page
//   stories:    by key, the markup of stories that are new or changed (element and line break)
//   banners:    by key, the new banner of a story that is otherwise unchanged
//   staying:    keys of stories that keep their place; the others are put in place among them
//   readingLine: where the reading line is, as a fraction of the view from the reader's top
//   replacedBy: by story key, by old paragraph key, the paragraph to keep in place of one gone
//
// The mark nearest above the reading line (a story's banner, or a paragraph's mark
// <span data-p="key"> of a newsroom story) keeps its distance from the reading line. Answers false,
// changing nothing, when the page does not hold the stories the change is for.
(function (order, removed, stories, banners, staying, readingLine, replacedBy) {
    if (location.protocol !== 'vantell:') return false;
    const turned = /rotation=2/.test(document.body.getAttribute('style') || '');
    // The reading line, in the view; on a turned page the reader's top is the view's bottom.
    const line = window.innerHeight * (turned ? 1 - readingLine : readingLine);
    // How far the reader has come past a mark: positive once the reading line is past its start.
    const past = (mark) => {
        const box = mark.getBoundingClientRect();
        return turned ? box.bottom - line : line - box.top;
    };
    const storyKey = (element) => {
        const story = element.closest('[data-vantell-story]');
        return story ? story.getAttribute('data-vantell-story') : null;
    };

    const units = new Map();
    for (const story of document.querySelectorAll('[data-vantell-story]')) {
        const nodes = [story];
        let before = story.previousSibling;
        while (before && before.nodeType === Node.TEXT_NODE && !before.nodeValue.trim())
            before = before.previousSibling;
        if (before && before.nodeName === 'SPAN' && before.hasAttribute('data-l') && !before.firstChild)
            nodes.unshift(before);
        let next = story.nextSibling;
        while (next && next.nodeType === Node.TEXT_NODE && !next.nodeValue.trim()) {
            nodes.push(next);
            next = next.nextSibling;
        }
        if (next && next.nodeName === 'BR')
            nodes.push(next);
        units.set(story.getAttribute('data-vantell-story'), nodes);
    }
    const element = (nodes) => nodes.find((node) => node.nodeType === Node.ELEMENT_NODE &&
        node.hasAttribute('data-vantell-story'));
    if (units.size === 0) return false;
    for (const key of order)
        if (!units.has(String(key)) && stories[key] === undefined) return false;

    let anchor = null;
    for (const mark of document.querySelectorAll('[data-vantell-banner], span[data-p]')) {
        const d = past(mark);
        if (d >= 0 && (anchor === null || d < anchor.distance))
            anchor = {story: storyKey(mark), paragraph: mark.getAttribute('data-p'), distance: d};
    }

    const first = units.values().next().value[0];
    const parent = first.parentNode;
    // Where the show ends: new stories at its end go before what follows the last story.
    const all = [...units.values()];
    const lastNodes = all[all.length - 1];
    const end = lastNodes[lastNodes.length - 1].nextSibling;

    for (const key of removed) {
        for (const node of units.get(String(key)) || []) node.remove();
        units.delete(String(key));
    }
    const made = (html) => {
        const template = document.createElement('template');
        template.innerHTML = html;
        return [...template.content.childNodes];
    };
    for (const key of Object.keys(stories)) {
        const nodes = made(stories[key]);
        const old = units.get(key);
        if (old) {
            for (const node of nodes) old[0].parentNode.insertBefore(node, old[0]);
            for (const node of old) node.remove();
        }
        units.set(key, nodes);
    }
    for (const key of Object.keys(banners)) {
        const banner = units.get(key) && element(units.get(key)).querySelector('[data-vantell-banner]');
        if (banner) banner.outerHTML = banners[key];
    }
    // From the show's end back to its start: each story that moves goes before the one after it.
    const stay = new Set(staying.map(String));
    let after = end;
    for (let i = order.length - 1; i >= 0; --i) {
        const nodes = units.get(String(order[i]));
        if (!stay.has(String(order[i])) || !element(nodes).isConnected)
            for (const node of nodes) (after ? after.parentNode : parent).insertBefore(node, after);
        after = nodes[0];
    }

    if (anchor === null) return true;
    const inStory = (key) => document.querySelector('[data-vantell-story="' + key + '"]');
    const story = anchor.story === null ? null : inStory(anchor.story);
    let mark = null;
    if (story && anchor.paragraph === null) {
        mark = story.querySelector('[data-vantell-banner]');
    } else if (story) {
        const kept = (replacedBy[anchor.story] || {})[anchor.paragraph];
        mark = story.querySelector('span[data-p="' + anchor.paragraph + '"]') ||
            (kept !== undefined ? story.querySelector('span[data-p="' + kept + '"]') : null);
    }
    if (!mark) return true;
    const shift = past(mark) - anchor.distance;
    window.scrollBy(0, turned ? shift : -shift);
    return true;
})
