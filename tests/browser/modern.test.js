// A gallery of the modern page style, made by `wexbo generate --style modern` with captions on, in
// Chromium from file://: the overview page named by WEXBO_GALLERY_PAGE, checked against the album
// folder it was made from, WEXBO_GALLERY_ALBUM. Every page is checked at a phone's width and a
// desktop's, with axe-core (touch target sizes included); the ring of detail pages and the
// slideshow are driven by mouse, keys and touch, and once more without JavaScript.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { fileURLToPath } = require('node:url');
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { AxeBuilder } = require('@axe-core/playwright');
const { launchBrowser, pageUnderTest, fileUrl, saveScreenshot, watchPage } = require('./lib/browser');
const { readAlbum } = require('./lib/album');

const PAGE = pageUnderTest('WEXBO_GALLERY_PAGE');
const FOLDER = path.dirname(PAGE);
if (!process.env.WEXBO_GALLERY_ALBUM) throw new Error('WEXBO_GALLERY_ALBUM must name the album folder');
const ALBUM = readAlbum(process.env.WEXBO_GALLERY_ALBUM);
const SLIDESHOW = path.join(FOLDER, 'slideshow.html');
const SHOT = path.basename(FOLDER);  // screenshots are named after the gallery folder
const WIDTHS = [320, 1280];
const PER_ROW = 4;                   // the most columns, as the gallery settings ask

let browser;
let details = [];  // the detail pages, in album order, as files

const fileOf = (url) => fileURLToPath(url.replace(/[?#].*$/, ''));
const captionOf = (i) => ALBUM.pictures[i].caption;

async function open(file, { width = 1280, height = 800, ...options } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, locale: 'en-US', ...options });
  const page = await context.newPage();
  const problems = options.javaScriptEnabled === false ? [] : watchPage(page);
  await page.goto(fileUrl(file), { waitUntil: 'load' });
  return { context, page, problems };
}

// Scrolls every picture of the page into view (most load lazily) and tells for each shown one
// whether it loaded, with its size attributes beside its natural size.
async function loadedImages(page) {
  const images = page.locator('img');
  for (let i = 0, n = await images.count(); i < n; i++) {
    if (await images.nth(i).isVisible()) await images.nth(i).scrollIntoViewIfNeeded();
  }
  return page.evaluate(async () => {
    const shown = [...document.images].filter((img) => img.getClientRects().length > 0);
    await Promise.all(shown.map((img) => img.complete || new Promise((resolve) => {
      img.addEventListener('load', resolve, { once: true });
      img.addEventListener('error', resolve, { once: true });
      setTimeout(resolve, 10000);
    })));
    window.scrollTo(0, 0);
    return shown.map((img) => ({
      src: img.getAttribute('src'), alt: img.getAttribute('alt'),
      width: img.naturalWidth, height: img.naturalHeight,
      widthAttribute: Number(img.getAttribute('width')), heightAttribute: Number(img.getAttribute('height')),
    }));
  });
}

function assertImagesLoadedAtTheirSizes(images, where) {
  assert.ok(images.length > 0, `${where}: no picture at all`);
  for (const image of images) {
    assert.ok(image.width > 0, `${where}: ${image.src} did not load`);
    assert.deepEqual([image.widthAttribute, image.heightAttribute], [image.width, image.height],
      `${where}: ${image.src} is announced at another size than it has`);
  }
}

// Every local link and picture of the page names a file of the gallery.
async function assertLinksResolve(page, where) {
  const targets = await page.evaluate(() => [
    ...[...document.querySelectorAll('a[href]')].map((a) => a.href),
    ...[...document.querySelectorAll('img[src], link[href], script[src]')].map((e) => e.src || e.href),
  ]);
  for (const target of targets.filter((url) => url.startsWith('file:'))) {
    assert.ok(fs.existsSync(fileOf(target)), `${where}: ${target} does not exist`);
  }
}

async function assertNoSidewaysScrolling(page, where) {
  const { scroll, viewport } = await page.evaluate(() => ({
    scroll: document.documentElement.scrollWidth, viewport: window.innerWidth,
  }));
  assert.ok(scroll <= viewport, `${where}: ${scroll} px wide in a ${viewport} px window`);
}

async function assertAccessible(page, where) {
  const result = await new AxeBuilder({ page }).options({ rules: { 'target-size': { enabled: true } } }).analyze();
  const found = result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  assert.deepEqual(found, [], `${where}: axe-core finds violations`);
}

// A screen reader meets each caption once, as the picture's name, not again as text beside it.
async function assertCaptionsHeardOnce(page, where, captions) {
  const session = await page.context().newCDPSession(page);
  const { nodes } = await session.send('Accessibility.getFullAXTree');
  const heard = nodes.filter((node) => !node.ignored && ['image', 'StaticText'].includes(node.role && node.role.value))
    .map((node) => node.name && node.name.value);
  for (const caption of new Set(captions.filter((c) => c))) {
    assert.equal(heard.filter((name) => name === caption).length, 1, `${where}: "${caption}" heard more or less than once`);
  }
}

// The landmarks, the one heading and the language every modern page has.
async function assertPageStructure(page, where) {
  const structure = await page.evaluate(() => ({
    lang: document.documentElement.lang,
    h1: [...document.querySelectorAll('h1')].map((h) => h.textContent),
    counts: ['header', 'nav', 'main', 'footer'].map((name) => document.querySelectorAll(name).length),
  }));
  assert.equal(structure.lang, 'en', `${where}: the page language`);
  assert.deepEqual(structure.h1, [ALBUM.title || 'Gallery'], `${where}: one h1, the album title`);
  assert.deepEqual(structure.counts, [1, 1, 1, 1], `${where}: header, nav, main and footer once each`);
}

// A finger drawn across the page from one point to another.
async function swipe(page, from, to) {
  // Touches sent in the first instants after a page loads can reach no listener yet; no finger is
  // that quick, so let two frames pass first.
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  const session = await page.context().newCDPSession(page);
  const point = ([x, y]) => [{ x, y, id: 1 }];
  await session.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(from) });
  for (let step = 1; step <= 4; step++) {
    const at = [from[0] + (to[0] - from[0]) * step / 4, from[1] + (to[1] - from[1]) * step / 4];
    await session.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: point(at) });
  }
  await session.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
}

before(async () => {
  browser = await launchBrowser();
  const { context, page } = await open(PAGE);
  details = (await page.locator('main a').evaluateAll((links) => links.map((a) => a.href))).map(fileOf);
  await context.close();
});

after(async () => {
  if (browser) await browser.close();
});

describe('the overview', () => {
  for (const width of WIDTHS) {
    test(`at ${width} px it shows the album in order, every picture loaded, named and sized, nothing sideways`, async () => {
      const { context, page, problems } = await open(PAGE, { width });
      const where = `overview at ${width} px`;
      assert.equal(await page.title(), ALBUM.title || 'Gallery');
      await assertPageStructure(page, where);
      const images = await loadedImages(page);
      assertImagesLoadedAtTheirSizes(images, where);
      const thumbs = images.filter((image) => image.src.endsWith('_thumb.jpg'));
      assert.equal(thumbs.length, ALBUM.pictures.length, `${where}: one picture per album picture`);
      thumbs.forEach((thumb, i) => {
        if (captionOf(i)) assert.equal(thumb.alt, captionOf(i), `${where}: picture ${i + 1} is named by its caption`);
        else assert.match(thumb.alt, /^[^.]+$/, `${where}: picture ${i + 1} is named by its file name's words`);
      });
      const shownCaptions = await page.locator('main figcaption').allTextContents();
      assert.deepEqual(shownCaptions, ALBUM.pictures.map((p) => p.caption).filter((c) => c));
      await assertCaptionsHeardOnce(page, where, ALBUM.pictures.map((p) => p.caption));

      // Columns: as many as the settings ask on a wide screen, fewer on a phone.
      const tops = await page.locator('main li').evaluateAll((items) => items.map((li) => li.getBoundingClientRect().top));
      const firstRow = tops.filter((top) => top === tops[0]).length;
      if (width >= 1280) assert.equal(firstRow, Math.min(PER_ROW, ALBUM.pictures.length), `${where}: pictures in the first row`);
      else assert.ok(firstRow < Math.min(PER_ROW, ALBUM.pictures.length) || ALBUM.pictures.length === 1, `${where}: ${firstRow} columns`);

      await assertNoSidewaysScrolling(page, where);
      await assertLinksResolve(page, where);
      // axe-core fetches the stylesheet again, which a page from file:// may not: look before.
      assert.deepEqual(problems, []);
      await assertAccessible(page, where);
      await saveScreenshot(page, `${SHOT}-overview-${width}`, { fullPage: true });
      await context.close();
    });
  }

  test('a screen of twice the density gets the 2x pictures where there are any', async () => {
    const { context, page } = await open(PAGE, { width: 390, height: 844, deviceScaleFactor: 2 });
    await loadedImages(page);
    const shown = await page.locator('main img').evaluateAll((images) => images.map((img) => ({
      srcset: img.getAttribute('srcset'), current: decodeURI(img.currentSrc.split('/').pop()),
      src: img.getAttribute('src'),
    })));
    assert.ok(shown.some((img) => img.srcset), 'no picture offers a 2x form');
    for (const img of shown) {
      const expected = img.srcset ? decodeURI(img.src).replace(/\.jpg$/, '@2x.jpg') : decodeURI(img.src);
      assert.equal(img.current, expected);
    }
    await context.close();
  });

  test('each picture leads to its own page, in album order', async () => {
    assert.equal(details.length, ALBUM.pictures.length);
    assert.equal(new Set(details).size, details.length, 'two pictures lead to one page');
    for (const file of details) assert.ok(fs.existsSync(file), `${file} does not exist`);
  });
});

describe('the detail pages', () => {
  test('each has its own title, its picture loaded at once and at its size, and only links that resolve', async () => {
    const titles = new Set();
    for (const [i, file] of details.entries()) {
      const { context, page, problems } = await open(file);
      const where = path.basename(file);
      const title = await page.title();
      titles.add(title);
      if (captionOf(i)) assert.ok(title.startsWith(captionOf(i)), `${where}: title "${title}" starts with the caption`);
      await assertPageStructure(page, where);
      const picture = page.locator('main img');
      assert.equal(await picture.count(), 1, `${where}: one picture`);
      assert.equal(await picture.getAttribute('loading'), null, `${where}: the picture is not loaded lazily`);
      assertImagesLoadedAtTheirSizes(await loadedImages(page), where);
      if (captionOf(i)) assert.equal(await picture.getAttribute('alt'), captionOf(i));
      await assertCaptionsHeardOnce(page, where, [captionOf(i)]);
      await assertLinksResolve(page, where);
      assert.deepEqual(problems, [], where);
      await context.close();
    }
    assert.equal(titles.size, details.length, 'two detail pages have one title');
  });

  for (const width of WIDTHS) {
    test(`at ${width} px the first one reads well, fits and passes axe-core`, async () => {
      const { context, page } = await open(details[0], { width });
      const where = `${path.basename(details[0])} at ${width} px`;
      await loadedImages(page);
      await assertNoSidewaysScrolling(page, where);
      await assertAccessible(page, where);
      const box = await page.locator('main img').boundingBox();
      assert.ok(box.width <= width && box.width > width / 4, `${where}: the picture is ${box.width} px wide`);
      await saveScreenshot(page, `${SHOT}-detail-${width}`, { fullPage: true });
      await context.close();
    });
  }

  test('the next and previous links go round the ring in album order', async () => {
    const { context, page } = await open(details[0]);
    for (const [link, order] of [['#next-link', [...details.slice(1), details[0]]],
      ['#previous-link', [...details].reverse()]]) {
      const visited = [];
      for (let i = 0; i < details.length; i++) {
        await page.click(link);
        await page.waitForLoadState('load');
        visited.push(fileOf(page.url()));
      }
      assert.deepEqual(visited, order, `${link} from picture to picture`);
    }
    await page.click('#overview-link');
    assert.equal(fileOf(page.url()), PAGE);
    await context.close();
  });

  test('the arrow keys go round the ring and Escape goes to the overview', async () => {
    const { context, page } = await open(details[0]);
    const press = async (key) => {
      await Promise.all([page.waitForEvent('load'), page.keyboard.press(key)]);
      return fileOf(page.url());
    };
    assert.equal(await press('ArrowRight'), details[1 % details.length]);
    assert.equal(await press('ArrowLeft'), details[0]);
    assert.equal(await press('ArrowLeft'), details[details.length - 1]);
    assert.equal(await press('Escape'), PAGE);
    await context.close();
  });

  test('a swipe to the left shows the next picture, to the right the previous one', async () => {
    const { context, page } = await open(details[0], { width: 390, height: 844, hasTouch: true, isMobile: true });
    await Promise.all([page.waitForEvent('load'), swipe(page, [300, 400], [60, 410])]);
    assert.equal(fileOf(page.url()), details[1 % details.length]);
    await Promise.all([page.waitForEvent('load'), swipe(page, [60, 400], [300, 390])]);
    assert.equal(fileOf(page.url()), details[0]);
    // Scrolling down the page is no swipe.
    await swipe(page, [200, 600], [180, 200]);
    await page.waitForTimeout(300);
    assert.equal(fileOf(page.url()), details[0]);
    await context.close();
  });

  test('without JavaScript the links do the same', async () => {
    const { context, page } = await open(details[0], { javaScriptEnabled: false });
    await page.click('#next-link');
    assert.equal(fileOf(page.url()), details[1 % details.length]);
    await page.click('#previous-link');
    assert.equal(fileOf(page.url()), details[0]);
    await page.click('#overview-link');
    assert.equal(fileOf(page.url()), PAGE);
    await context.close();
  });
});

describe('the slideshow', () => {
  // The slide on screen: its position, its picture (loaded or not) and the status line.
  const shown = (page) => page.evaluate(() => {
    const slides = [...document.querySelectorAll('.slides > li')];
    const visible = slides.filter((li) => li.getClientRects().length > 0);
    const img = visible[0] && visible[0].querySelector('img');
    return {
      visible: visible.map((li) => slides.indexOf(li)),
      src: img && img.getAttribute('src'),
      status: document.getElementById('slide-status').textContent,
      play: document.querySelector('#slide-play .visually-hidden').textContent,
    };
  });
  const openShow = (options = {}) => open(SLIDESHOW, { reducedMotion: 'reduce', ...options });
  const n = ALBUM.pictures.length;
  const status = (i) => `${i + 1} / ${n}`;

  test('shows one slide at a time with controls of at least 24 × 24 px, and the mouse moves it', async () => {
    const { context, page, problems } = await openShow();
    assert.deepEqual((await shown(page)).visible, [0]);
    assert.equal((await shown(page)).status, status(0));
    for (const control of await page.locator('.controls button, nav a').all()) {
      const box = await control.boundingBox();
      assert.ok(box.width >= 24 && box.height >= 24, `a control of ${box.width} × ${box.height} px`);
    }
    await page.click('#slide-next');
    assert.deepEqual(await shown(page).then((s) => [s.visible, s.status]), [[1 % n], status(1 % n)]);
    await page.click('#slide-previous');
    await page.click('#slide-previous');
    assert.deepEqual(await shown(page).then((s) => [s.visible, s.status]), [[n - 1], status(n - 1)]);
    // The slide shown has its picture, loaded.
    const image = page.locator('.slides > li.current img');
    await image.evaluate((img) => img.complete || new Promise((resolve) => img.addEventListener('load', resolve)));
    assert.ok(await image.evaluate((img) => img.naturalWidth > 0), 'the last slide\'s picture did not load');
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('the keys move it, Space plays and pauses, Escape goes to the overview', async () => {
    const { context, page } = await openShow();
    await page.keyboard.press('ArrowRight');
    assert.equal((await shown(page)).status, status(1 % n));
    await page.keyboard.press('ArrowLeft');
    await page.keyboard.press('ArrowLeft');
    assert.equal((await shown(page)).status, status(n - 1));
    assert.equal((await shown(page)).play, 'Play');
    await page.keyboard.press(' ');
    assert.equal((await shown(page)).play, 'Pause');
    await page.keyboard.press(' ');
    assert.equal((await shown(page)).play, 'Play');
    await Promise.all([page.waitForEvent('load'), page.keyboard.press('Escape')]);
    assert.equal(fileOf(page.url()), PAGE);
    await context.close();
  });

  test('a swipe moves it on a touch screen', async () => {
    const { context, page } = await openShow({ width: 390, height: 844, hasTouch: true, isMobile: true });
    const box = await page.locator('.slides').boundingBox();
    const y = box.y + Math.min(box.height, 300) / 2;
    await swipe(page, [330, y], [60, y]);
    assert.equal((await shown(page)).status, status(1 % n));
    await swipe(page, [60, y], [330, y]);
    await swipe(page, [60, y], [330, y]);
    assert.equal((await shown(page)).status, status(n - 1));
    await context.close();
  });

  test('it loads the slide shown and its neighbours only, the others as they come near', async () => {
    const { context, page } = await openShow();
    const requested = new Set();
    page.on('request', (request) => requested.add(decodeURI(request.url().split('/').pop())));
    await page.reload({ waitUntil: 'load' });
    await page.waitForTimeout(500);
    const full = (name) => name.endsWith('.jpg') && !name.includes('_thumb');
    const srcs = await page.locator('.slides img').evaluateAll((images) => images.map((img) => decodeURI(img.getAttribute('src'))));
    const near = new Set([0, 1 % n, (n - 1) % n].map((i) => srcs[i]));
    assert.deepEqual([...requested].filter(full).sort(), [...near].sort());
    // Going on brings the next neighbour in.
    await page.click('#slide-next');
    await page.waitForTimeout(300);
    if (n > 3) assert.ok(requested.has(srcs[2]), `${srcs[2]} did not load once it came near`);
    await context.close();
  });

  test('it plays on its own until paused, but not for a visitor who asks for reduced motion', async () => {
    const play = async (reducedMotion) => {
      const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, reducedMotion });
      const page = await context.newPage();
      await page.clock.install();
      await page.goto(fileUrl(SLIDESHOW), { waitUntil: 'load' });
      await page.clock.runFor(4500);
      const afterOne = await shown(page);
      if (!afterOne.play.startsWith('Play')) {
        await page.click('#slide-play');
        await page.clock.runFor(20000);
      }
      const afterPause = await shown(page);
      await context.close();
      return [afterOne.status, afterPause.status];
    };
    assert.deepEqual(await play('no-preference'), [status(1 % n), status(1 % n)]);
    assert.deepEqual(await play('reduce'), [status(0), status(0)]);
  });

  test('without JavaScript it is a plain list of every picture, loaded as it comes into view', async () => {
    const { context, page } = await open(SLIDESHOW, { javaScriptEnabled: false });
    const { visible } = await page.evaluate(() => {
      const slides = [...document.querySelectorAll('.slides > li')];
      return { visible: slides.filter((li) => li.getClientRects().length > 0).length };
    });
    assert.equal(visible, n);
    assert.equal(await page.locator('.controls').isVisible(), false, 'controls that cannot work are hidden');
    const images = (await loadedImages(page)).filter((image) => !image.src.endsWith('.gif'));
    assertImagesLoadedAtTheirSizes(images, 'the slideshow without JavaScript');
    assert.equal(images.length, n);
    await context.close();
  });

  for (const width of WIDTHS) {
    test(`at ${width} px it fits and passes axe-core`, async () => {
      const { context, page } = await openShow({ width });
      const where = `slideshow at ${width} px`;
      await assertPageStructure(page, where);
      await loadedImages(page);
      await assertNoSidewaysScrolling(page, where);
      await assertLinksResolve(page, where);
      await assertAccessible(page, where);
      await saveScreenshot(page, `${SHOT}-slideshow-${width}`, { fullPage: true });
      await context.close();
    });
  }
});
