/*
 * Slideshow of a gallery page (Wexbo 10).
 *
 * What the page gives the script: every slide as a ".mySlides" block inside the first
 * ".slideshow-container", in album order, hidden by the stylesheet, each with a ".numbertext"
 * ("3 / 12"), its picture and a ".captext"; one ".dot" per slide, in the same order, anywhere in
 * the page (the generator puts them after the box); the class "active" for the current dot; and
 * "restore.png" and "x.png" beside this script. The script is loaded at the end of the page.
 *
 * It shows one slide at a time and adds what a visitor needs to move through them: previous and
 * next buttons, clickable dots, automatic play with a play/pause button, the arrow keys and
 * Escape, swiping on touch screens and a full-screen view. It needs no library and no network,
 * so it works from a local folder too.
 */
(function () {
  'use strict';

  var INTERVAL_MS = 5000;   // how long a slide stays while the show plays
  var SWIPE_MIN_PX = 40;    // a shorter horizontal move is a tap or a scroll, not a swipe

  // The script's own folder: its two images lie beside it.
  var script = document.currentScript;
  var folder = script && script.src ? script.src.replace(/[^\/]*$/, '') : '';

  // Labels for the controls, in the visitor's language where we have it.
  var TEXTS = {
    en: { show: 'Slideshow', slide: 'Slide', previous: 'Previous picture', next: 'Next picture',
          play: 'Play slideshow', pause: 'Pause slideshow', full: 'Full screen',
          leave: 'Leave full screen', picture: 'Picture', dots: 'Choose a picture' },
    de: { show: 'Diashow', slide: 'Dia', previous: 'Vorheriges Bild', next: 'N\u00e4chstes Bild',
          play: 'Diashow abspielen', pause: 'Diashow anhalten', full: 'Vollbild',
          leave: 'Vollbild beenden', picture: 'Bild', dots: 'Bild w\u00e4hlen' },
    fr: { show: 'Diaporama', slide: 'Diapositive', previous: 'Image pr\u00e9c\u00e9dente',
          next: 'Image suivante', play: 'Lancer le diaporama', pause: 'Mettre le diaporama en pause',
          full: 'Plein \u00e9cran', leave: 'Quitter le plein \u00e9cran', picture: 'Image',
          dots: 'Choisir une image' },
    it: { show: 'Presentazione', slide: 'Diapositiva', previous: 'Immagine precedente',
          next: 'Immagine successiva', play: 'Avvia la presentazione',
          pause: 'Metti in pausa la presentazione', full: 'Schermo intero',
          leave: 'Esci da schermo intero', picture: 'Immagine', dots: 'Scegli un\'immagine' },
    es: { show: 'Presentaci\u00f3n', slide: 'Diapositiva', previous: 'Imagen anterior',
          next: 'Imagen siguiente', play: 'Reproducir la presentaci\u00f3n',
          pause: 'Pausar la presentaci\u00f3n', full: 'Pantalla completa',
          leave: 'Salir de pantalla completa', picture: 'Imagen', dots: 'Elegir una imagen' }
  };

  var ICONS = {
    previous: '<path d="M15.4 7.4 14 6l-6 6 6 6 1.4-1.4-4.6-4.6z"/>',
    next: '<path d="M8.6 16.6 10 18l6-6-6-6-1.4 1.4 4.6 4.6z"/>',
    play: '<path d="M8 5v14l11-7z"/>',
    pause: '<path d="M6 5h4v14H6zm8 0h4v14h-4z"/>'
  };

  // The box is dark like a screen: the slide number and caption are light text, and a portrait
  // picture, which takes half the box's width, leaves room beside it where they and the controls
  // would otherwise stand on the page's (often white) background. On a light picture the number
  // gets a dark patch and the caption a band that darkens towards the bottom edge.
  var STYLE =
    '.slideshow-container{touch-action:pan-y pinch-zoom;background:#000}' +
    '.slideshow-container .numbertext,.slideshow-container .captext{text-shadow:0 0 3px #000,0 0 1px #000}' +
    '.slideshow-container .numbertext{left:0;background:rgba(0,0,0,.45);border-radius:0 0 6px 0}' +
    '.slideshow-container .captext{left:0;bottom:0;padding:24px 12px 12px;' +
    'background:linear-gradient(rgba(0,0,0,0),rgba(0,0,0,.6))}' +
    '.slideshow-container .captext:empty{display:none}' +
    '.slideshow-container .slideimg{vertical-align:middle}' +
    '.ss-btn{position:absolute;z-index:2;display:flex;align-items:center;justify-content:center;' +
    'box-sizing:border-box;margin:0;padding:0;border:0;cursor:pointer;color:#fff;' +
    'background:rgba(0,0,0,.35);-webkit-tap-highlight-color:transparent}' +
    '.ss-btn:hover{background:rgba(0,0,0,.65)}' +
    '.ss-btn[hidden]{display:none}' +
    '.ss-btn:focus-visible{outline:3px solid #fff;outline-offset:-3px;box-shadow:0 0 0 2px #000}' +
    '.ss-btn svg{width:28px;height:28px;fill:currentColor}' +
    '.ss-prev,.ss-next{top:50%;width:44px;height:64px;margin-top:-32px}' +
    '.ss-prev{left:0;border-radius:0 6px 6px 0}' +
    '.ss-next{right:0;border-radius:6px 0 0 6px}' +
    '.ss-tools{position:absolute;z-index:2;top:6px;right:6px;display:flex;gap:6px}' +
    '.ss-tools .ss-btn{position:static;width:40px;height:40px;border-radius:50%}' +
    '.ss-tools .ss-full-btn,.ss-tools .ss-full-btn:hover{background:transparent}' +
    '.ss-full-btn img{display:block;width:40px;height:40px}' +
    '.ss-live{position:absolute;width:1px;height:1px;margin:-1px;padding:0;border:0;' +
    'overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}' +
    '.dot{cursor:pointer;margin:0 5px;position:relative}' +
    '.dot:after{content:"";position:absolute;left:-5px;right:-5px;top:-8px;bottom:-8px}' +
    '.dot:focus-visible{outline:2px solid #717171;outline-offset:2px}' +
    '.slideshow-container.ss-full{position:fixed;left:0;top:0;right:0;bottom:0;z-index:2147483000;' +
    'width:100%;height:100%;max-width:none;margin:0;background:#000;' +
    'display:flex;align-items:center;justify-content:center}' +
    '.ss-full>center{width:100%}' +
    '.ss-full .slideimg{width:auto!important;height:auto;max-width:100%;max-height:100vh;vertical-align:middle}' +
    'html.ss-noscroll,html.ss-noscroll body{overflow:hidden}';

  function pickTexts() {
    var codes = [document.documentElement.lang].concat(navigator.languages || [navigator.language]);
    for (var i = 0; i < codes.length; i++) {
      var code = String(codes[i] || '').slice(0, 2).toLowerCase();
      if (TEXTS[code]) return TEXTS[code];
    }
    return TEXTS.en;
  }

  function iconButton(className, icon, label) {
    var button = document.createElement('button');
    button.type = 'button';
    button.className = 'ss-btn ' + className;
    button.innerHTML = icon ? '<svg viewBox="0 0 24 24" aria-hidden="true" focusable="false">' + icon + '</svg>' : '';
    button.setAttribute('aria-label', label);
    button.title = label;
    return button;
  }

  function textOf(element) {
    return element ? (element.textContent || '').replace(/\s+/g, ' ').replace(/^ | $/g, '') : '';
  }

  function start() {
    var box = document.querySelector('.slideshow-container');
    if (!box || box.getAttribute('data-ss-ready')) return;
    var slides = box.querySelectorAll('.mySlides');
    var count = slides.length;
    if (!count) return;
    box.setAttribute('data-ss-ready', '1');
    var dots = Array.prototype.slice.call(document.querySelectorAll('.dot'), 0, count);
    var t = pickTexts();

    var style = document.createElement('style');
    style.textContent = STYLE;
    (document.head || document.documentElement).appendChild(style);

    box.setAttribute('role', 'region');
    box.setAttribute('aria-roledescription', 'carousel');
    box.setAttribute('aria-label', t.show);
    for (var s = 0; s < count; s++) {
      slides[s].setAttribute('role', 'group');
      slides[s].setAttribute('aria-roledescription', t.slide);
      slides[s].setAttribute('aria-label', (s + 1) + ' / ' + count);
    }

    // Play/pause comes first in the tab order, so a keyboard user can stop the show at once.
    var tools = document.createElement('div');
    tools.className = 'ss-tools';
    var playButton = iconButton('ss-play', '', '');
    var fullButton = iconButton('ss-full-btn', '', '');
    var fullImage = document.createElement('img');
    fullImage.alt = '';
    fullButton.appendChild(fullImage);
    tools.appendChild(playButton);
    tools.appendChild(fullButton);
    var previousButton = iconButton('ss-prev', ICONS.previous, t.previous);
    var nextButton = iconButton('ss-next', ICONS.next, t.next);
    var live = document.createElement('div');
    live.className = 'ss-live';
    live.setAttribute('aria-live', 'polite');
    live.setAttribute('aria-atomic', 'true');
    box.insertBefore(tools, box.firstChild);
    box.appendChild(previousButton);
    box.appendChild(nextButton);
    box.appendChild(live);
    if (count < 2) {
      previousButton.hidden = nextButton.hidden = playButton.hidden = true;
    }

    if (dots.length && dots[0].parentNode) {
      dots[0].parentNode.setAttribute('role', 'group');
      dots[0].parentNode.setAttribute('aria-label', t.dots);
    }
    dots.forEach(function (dot, i) {
      dot.setAttribute('role', 'button');
      dot.setAttribute('tabindex', '0');
      dot.setAttribute('aria-label', t.picture + ' ' + (i + 1) + ' / ' + count);
      dot.addEventListener('click', function () { show(i); });
      dot.addEventListener('keydown', function (event) {
        if (event.key === 'Enter' || event.key === ' ') {
          event.preventDefault();
          show(i);
        }
      });
    });

    var current = 0;
    var playing = !(window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches);
    var timer = null;
    var full = false;

    function show(n) {
      current = ((n % count) + count) % count;
      for (var i = 0; i < count; i++) slides[i].style.display = i === current ? 'block' : 'none';
      dots.forEach(function (dot, i) {
        var on = i === current;
        dot.classList.toggle('active', on);
        if (on) dot.setAttribute('aria-current', 'true'); else dot.removeAttribute('aria-current');
      });
      var caption = textOf(slides[current].querySelector('.captext'));
      live.textContent = (current + 1) + ' / ' + count + (caption ? ', ' + caption : '');
      schedule();
    }

    function schedule() {
      clearTimeout(timer);
      timer = null;
      if (playing && count > 1 && !document.hidden) timer = setTimeout(function () { show(current + 1); }, INTERVAL_MS);
    }

    function setPlaying(on) {
      playing = on;
      var label = on ? t.pause : t.play;
      playButton.innerHTML = '<svg viewBox="0 0 24 24" aria-hidden="true" focusable="false">' +
        (on ? ICONS.pause : ICONS.play) + '</svg>';
      playButton.setAttribute('aria-label', label);
      playButton.title = label;
      // While the show runs by itself, every change would interrupt a screen reader.
      live.setAttribute('aria-live', on ? 'off' : 'polite');
      schedule();
    }

    function fullscreenElement() {
      return document.fullscreenElement || document.webkitFullscreenElement || null;
    }

    function setFull(on) {
      full = on;
      box.classList.toggle('ss-full', on);
      document.documentElement.classList.toggle('ss-noscroll', on);
      fullImage.src = folder + (on ? 'x.png' : 'restore.png');
      var label = on ? t.leave : t.full;
      fullButton.setAttribute('aria-label', label);
      fullButton.title = label;
    }

    function enterFull() {
      // The page view fills the window at once; real full screen follows where the browser
      // allows it (not in every frame or on every phone).
      setFull(true);
      var request = box.requestFullscreen || box.webkitRequestFullscreen;
      if (!request) return;
      try {
        var result = request.call(box);
        if (result && result.catch) result.catch(function () {});
      } catch (ignored) { /* the window-filling view stays */ }
    }

    function leaveFull() {
      setFull(false);
      if (fullscreenElement()) {
        var exit = document.exitFullscreen || document.webkitExitFullscreen;
        try {
          var result = exit.call(document);
          if (result && result.catch) result.catch(function () {});
        } catch (ignored) { /* already left */ }
      }
    }

    function onFullscreenChange() {
      if (full && !fullscreenElement()) setFull(false);  // left with the browser's own Escape
    }

    previousButton.addEventListener('click', function () { show(current - 1); });
    nextButton.addEventListener('click', function () { show(current + 1); });
    playButton.addEventListener('click', function () { setPlaying(!playing); });
    fullButton.addEventListener('click', function () { if (full) leaveFull(); else enterFull(); });
    document.addEventListener('fullscreenchange', onFullscreenChange);
    document.addEventListener('webkitfullscreenchange', onFullscreenChange);
    document.addEventListener('visibilitychange', schedule);

    document.addEventListener('keydown', function (event) {
      if (event.defaultPrevented || event.altKey || event.ctrlKey || event.metaKey) return;
      var target = event.target;
      if (target && (target.isContentEditable || /^(INPUT|TEXTAREA|SELECT)$/.test(target.tagName))) return;
      if (event.key === 'ArrowLeft' || event.key === 'Left') show(current - 1);
      else if (event.key === 'ArrowRight' || event.key === 'Right') show(current + 1);
      else if (event.key === 'Escape' || event.key === 'Esc') {
        if (full) leaveFull(); else if (playing) setPlaying(false); else return;
      } else return;
      event.preventDefault();
    });

    var touchX = null, touchY = null;
    box.addEventListener('touchstart', function (event) {
      if (event.touches.length !== 1) { touchX = null; return; }
      touchX = event.touches[0].clientX;
      touchY = event.touches[0].clientY;
    }, { passive: true });
    box.addEventListener('touchend', function (event) {
      if (touchX === null || !event.changedTouches.length) return;
      var dx = event.changedTouches[0].clientX - touchX;
      var dy = event.changedTouches[0].clientY - touchY;
      touchX = null;
      if (Math.abs(dx) >= SWIPE_MIN_PX && Math.abs(dx) > 1.5 * Math.abs(dy)) show(dx < 0 ? current + 1 : current - 1);
    }, { passive: true });
    box.addEventListener('touchcancel', function () { touchX = null; }, { passive: true });

    setFull(false);
    setPlaying(playing);
    show(0);
  }

  if (document.readyState === 'loading') document.addEventListener('DOMContentLoaded', start);
  else start();
})();
