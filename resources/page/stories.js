// Measures where the stories of a continuous page stand: each story's key, the top and bottom edge
// of its banner and of the element that holds the whole story (page positions, as drawn, so a
// turned page counts too), the height of the view and the largest scroll position.
(function () {
    const keys = [], bannerTops = [], bannerBottoms = [], storyTops = [], storyBottoms = [];
    const y = window.scrollY;
    for (const story of document.querySelectorAll('[data-vantell-story]')) {
        const whole = story.getBoundingClientRect();
        const banner = (story.querySelector('[data-vantell-banner]') || story).getBoundingClientRect();
        keys.push(Number(story.getAttribute('data-vantell-story')));
        bannerTops.push(Math.round(banner.top + y));
        bannerBottoms.push(Math.round(banner.bottom + y));
        storyTops.push(Math.round(whole.top + y));
        storyBottoms.push(Math.round(whole.bottom + y));
    }
    const scroller = document.scrollingElement || document.documentElement;
    return [keys, bannerTops, bannerBottoms, storyTops, storyBottoms, window.innerHeight,
            Math.max(0, Math.round(scroller.scrollHeight - window.innerHeight))];
})()
