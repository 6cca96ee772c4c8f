// The smooth motion. A frame loop in the page moves it on every frame by the rate times the
// frame's duration: the whole pixels by scrolling, the fraction of a pixel by a shift of the root
// element, which has a layer of its own so that the browser moves it without drawing the page
// again. A movement of the page by wheel or keys between two frames is taken over, and the
// motion goes on from there. The loop stops at the page's end and starts again when asked for
// the position after the page has been moved away from it (fold). The shift goes before the
// scale of a page laid out for another width (__vantellScale).
window.__vantellMotion = window.__vantellMotion || (function () {
    const root = document.documentElement;
    root.style.willChange = 'transform';
    const motion = { rate: 0, position: 0, shown: 0, time: 0, frame: 0 };
    const bottom = () => Math.max(0, root.scrollHeight - window.innerHeight);
    const now = () => document.timeline.currentTime ?? performance.now();
    // Shows the page at motion.position: whole pixels scrolled, the rest shifted.
    const show = () => {
        const whole = Math.floor(motion.position);
        if (Math.round(window.scrollY) !== whole) window.scrollTo(0, whole);
        motion.shown = Math.round(window.scrollY);
        const offset = +(motion.position - motion.shown).toFixed(3);
        root.style.transform = offset ? 'translateY(' + (-offset) + 'px)' +
            (window.__vantellScale ? ' scale(' + window.__vantellScale + ')' : '') : '';
    };
    // Takes over where wheel or keys have put the page since it was last shown.
    const takeOver = () => {
        const y = Math.round(window.scrollY);
        if (y !== motion.shown) {
            motion.position += y - motion.shown;
            motion.shown = y;
        }
    };
    const atEnd = () => motion.rate > 0 ? motion.position >= bottom() : motion.position <= 0;
    const step = (time) => {
        motion.frame = 0;
        if (motion.rate === 0) return;
        takeOver();
        motion.position += motion.rate * Math.max(0, time - motion.time) / 1000;
        motion.position = Math.min(Math.max(motion.position, 0), bottom());
        motion.time = time;
        show();
        if (!atEnd()) motion.frame = requestAnimationFrame(step);
    };
    const stopLoop = () => {
        if (motion.frame) cancelAnimationFrame(motion.frame);
        motion.frame = 0;
    };
    const run = () => {
        stopLoop();
        motion.time = now();
        if (motion.rate !== 0 && !atEnd()) motion.frame = requestAnimationFrame(step);
    };
    // Starts from where the page is shown; a page that has not moved keeps its fraction.
    const fromPage = () => {
        const y = Math.round(window.scrollY);
        if (y !== motion.shown || root.style.transform === '') motion.position = y;
        motion.shown = y;
    };
    motion.fold = () => {
        if (motion.rate === 0 || motion.frame) return;
        fromPage();
        run();
    };
    motion.setRate = (rate) => {
        if (motion.frame) {
            takeOver();
        } else {
            fromPage();
        }
        motion.rate = rate;
        run();
    };
    motion.drop = () => {
        motion.rate = 0;
        stopLoop();
        root.style.transform = '';
        motion.position = motion.shown = Math.round(window.scrollY);
    };
    // Moves the page by `distance` pixels, fractions included, and the motion on from there: an
    // edit above the reader made good in the frame it happens in (editlines.js).
    motion.shift = (distance) => {
        takeOver();
        motion.position = Math.min(Math.max(motion.position + distance, 0), bottom());
        show();
    };
    // Puts the page where a motion that passed `position` at `time` (the pages' clock) at `rate`
    // stands now, and moves on from there.
    motion.place = (position, time, rate) => {
        motion.drop();
        const elapsed = performance.timeOrigin + now() - time;
        motion.position = Math.min(Math.max(position + rate * elapsed / 1000, 0), bottom());
        show();
        motion.rate = rate;
        run();
    };
    return motion;
})();
