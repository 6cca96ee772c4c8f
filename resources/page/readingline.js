// Finds the script line the reader is at: the last line whose mark (each body line starts with an
// empty <span data-l>, Browser::pagebytes) has reached the reading line, `y` pixels from the
// view's top. On a page turned upside down the reader's top is the view's bottom: a line has
// reached it once its bottom edge, which the reader sees as its top, is at or below it. Answers
// [line, number of marks], or null on a page that is no script page.
window.__vantellLineAt = window.__vantellLineAt || function (y) {
    if (location.protocol !== 'vantell:' || !document.body) return null;
    const marks = document.querySelectorAll('span[data-l]');
    const turned = /rotation=2/.test(document.body.getAttribute('style') || '');
    const reached = (mark) => {
        const box = mark.getBoundingClientRect();
        return turned ? box.bottom >= y : box.top <= y;
    };
    let low = 0, high = marks.length - 1, line = 0;
    while (low <= high) {
        const middle = (low + high) >> 1;
        if (reached(marks[middle])) {
            line = middle;
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return [line, marks.length];
};
