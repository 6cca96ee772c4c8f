// Measures where the script's markers stand and how the page is seen, for jumps: the top and
// bottom edge of each marker's line (page positions, as drawn, so a turned page counts too), the
// height of a line of the page's text, the height of the view and the largest scroll position.
(function () {
    const tops = [], bottoms = [];
    const y = window.scrollY;
    for (const marker of document.querySelectorAll('.vantell-marker')) {
        const box = marker.getBoundingClientRect();
        tops.push(Math.round(box.top + y));
        bottoms.push(Math.round(box.bottom + y));
    }
    let line = 0;
    if (document.body) {
        const probe = document.createElement('span');
        probe.textContent = 'Xg';
        document.body.appendChild(probe);
        line = probe.getBoundingClientRect().height;
        probe.remove();
    }
    const scroller = document.scrollingElement || document.documentElement;
    return [tops, bottoms, line, window.innerHeight,
            Math.max(0, Math.round(scroller.scrollHeight - window.innerHeight))];
})()
