// Puts an edit of the script into a script page in place: only the lines it changed, without a
// new document and without building the body anew, so that nothing else on the page moves or is
// drawn again. Each body line starts with an empty mark (<span data-l>, Browser::pagebytes); a
// change takes what lies between the mark of its first line and the mark of the line after it
// (`removed` -1: everything to the end of the body) and puts the new lines' markup (`html`, each
// line with its mark, as the page's bytes have it) there. With `keep` the first line's mark stays
// and the html starts after it.
//
// A line's markup may open an element that the lines after it close (a rich script's paragraph
// and run, a plain script's <b>): the new markup is read by the browser in the elements open where
// it goes, and its elements are joined into the page's (or split from them) just as the browser
// would have built them from the whole page. When the new lines leave other elements open than the
// old ones, the lines after them would change their look: the change is refused (`failed` names
// it) and the caller puts in the rest of the page from there.
//
// The reader's line stays where it is on the screen: the page holds the start of line `anchor`
// (-1: the line at the reading line `readingY`, window.__vantellLineAt) in place, or the first line
// of a change that takes it, or the line after one that removes it (core/editlive/readinganchor.h),
// and scrolls in the same frame by as much as the edit moved it. Changes are made from the last to
// the first. Answers [failed change or -1, the line held (as the page counts its lines now), the
// scroll made, what the held line still moved, the line `anchor` stood for], or null on a page that
// is no script page or has not `linesBefore` lines.
(function (changes, anchor, readingY, linesBefore) {
    if (location.protocol !== 'vantell:' || !document.body) return null;
    const body = document.body;
    const marks = document.querySelectorAll('span[data-l]');
    if (marks.length !== linesBefore) return null;
    if (anchor < 0) anchor = window.__vantellLineAt(readingY)[0];
    let held = anchor < marks.length ? marks[anchor] : null;
    for (const change of changes) {
        const end = change.removed < 0 ? marks.length : change.at + change.removed;
        if (anchor >= change.at && anchor < end)
            held = change.keep ? marks[change.at] : (end < marks.length ? marks[end] : null);
    }
    const top = () => held.getBoundingClientRect().top;
    const before = held ? top() : 0;

    // The elements between the body and `node`, the outermost first.
    const chain = (node) => {
        const elements = [];
        for (let parent = node.parentNode; parent && parent !== body; parent = parent.parentNode)
            elements.unshift(parent);
        return elements;
    };
    const startTag = (element) => {
        const html = element.cloneNode(false).outerHTML;
        return html.slice(0, html.lastIndexOf('</'));
    };
    const endTag = (element) => '</' + element.localName + '>';
    // The fragment's innermost node down its first (or last) children when these, level by level,
    // are the elements of `elements`; null when they are not.
    const spine = (fragment, elements, side) => {
        let node = fragment;
        for (const element of elements) {
            node = node[side];
            if (!node || node.nodeType !== 1 || startTag(node) !== startTag(element)) return null;
        }
        return node;
    };
    // Moves the children of `from`, but for its first one when `skipFirst`, to the end of `to`.
    const appendChildren = (from, to, skipFirst) => {
        for (let n = skipFirst ? from.firstChild.nextSibling : from.firstChild; n;) {
            const next = n.nextSibling;
            to.appendChild(n);
            n = next;
        }
    };
    // The new left part of `element` (left[level - 1]): `part` stands for it, and its first child
    // for left[level] when there is one.
    const mergeLeft = (left, level, part) => {
        const deeper = level < left.length;
        if (deeper) mergeLeft(left, level + 1, part.firstChild);
        appendChildren(part, left[level - 1], deeper);
    };
    // The new right part of right[level - 1]: `part` stands for it, its last child for right[level].
    const mergeRight = (right, level, part, endMark) => {
        const deeper = level < right.length;
        const stop = deeper ? part.lastChild : null;
        const before = deeper ? right[level] : endMark;
        for (let n = part.firstChild; n !== stop;) {
            const next = n.nextSibling;
            right[level - 1].insertBefore(n, before);
            n = next;
        }
        if (deeper) mergeRight(right, level + 1, stop, endMark);
    };
    const splice = (change) => {
        const startMark = marks[change.at];
        const endMark = change.removed < 0 ? null : marks[change.at + change.removed];
        if (!startMark || (change.removed >= 0 && !endMark)) return false;
        const left = chain(startMark);
        const right = endMark ? chain(endMark) : [];
        const template = document.createElement('template');
        template.innerHTML = left.map(startTag).join('') + change.html + right.map(endTag).reverse().join('');
        const fragment = template.content;
        if (!spine(fragment, left, 'firstChild')) return false;
        // The new lines end with their line end (CR LF): in an element they left open, when they
        // did, rather than in the element the lines after them go on in.
        const innermost = spine(fragment, right, 'lastChild');
        if (endMark && (!innermost || (innermost.lastChild && innermost.lastChild.nodeType === 1))) return false;
        const range = document.createRange();
        if (change.keep) range.setStartAfter(startMark); else range.setStartBefore(startMark);
        if (endMark) range.setEndBefore(endMark); else range.setEnd(body, body.childNodes.length);
        range.deleteContents();
        // Level by level from the body down, while both the page and the new markup have one
        // element on either side of the change.
        let part = fragment;
        for (let level = 0; ;) {
            const element = level === 0 ? body : left[level - 1];
            const now = endMark ? chain(endMark) : [];
            const pageLeft = level < left.length ? left[level] : null;
            const pageRight = level < now.length ? now[level] : null;
            const partLeft = pageLeft ? part.firstChild : null;
            const partRight = pageRight ? part.lastChild : null;
            if (pageLeft && pageLeft === pageRight) {
                if (partLeft === partRight) {
                    part = partLeft;
                    ++level;
                    continue;
                }
                // The new markup closes and opens again what the page kept open: split it.
                const tail = document.createRange();
                tail.setStartBefore(endMark);
                tail.setEnd(pageLeft, pageLeft.childNodes.length);
                const twin = pageLeft.cloneNode(false);
                twin.appendChild(tail.extractContents());
                pageLeft.after(twin);
                continue;
            }
            if (pageLeft && pageRight && partLeft === partRight) {
                // The new markup keeps open what the page closed and opened again: join it.
                appendChildren(pageRight, pageLeft, false);
                pageRight.remove();
                continue;
            }
            if (partLeft) mergeLeft(left, level + 1, partLeft);
            const insertBefore = pageRight || endMark;
            for (let n = partLeft ? partLeft.nextSibling : part.firstChild; n && n !== partRight;) {
                const next = n.nextSibling;
                element.insertBefore(n, insertBefore);
                n = next;
            }
            if (partRight) mergeRight(now, level + 1, partRight, endMark);
            return true;
        }
    };

    // Scroll anchoring of the browser's own would move the page a second time.
    document.documentElement.style.overflowAnchor = 'none';
    let failed = -1;
    for (let i = changes.length - 1; i >= 0; --i) {
        if (!splice(changes[i])) {
            failed = i;
            break;
        }
    }
    let shift = 0;
    let still = 0;
    if (held && held.isConnected) {
        shift = top() - before;
        if (shift !== 0) {
            const motion = window.__vantellMotion;
            if (motion && motion.rate !== 0) motion.shift(shift); else window.scrollBy(0, shift);
        }
        still = top() - before;
    }
    let line = -1;
    if (held && held.isConnected) line = Array.prototype.indexOf.call(document.querySelectorAll('span[data-l]'), held);
    return [failed, line, shift, still, anchor];
})
