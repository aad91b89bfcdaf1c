// The slideshow page in Chromium, opened from file://: the page named by WEXBO_SLIDESHOW_PAGE
// (the fixture written in the generator's markup, or the slideshow of a generated gallery).
'use strict';

const path = require('node:path');
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser, pageUnderTest, fileUrl, saveScreenshot, watchPage } = require('./lib/browser');

const PAGE = pageUnderTest('WEXBO_SLIDESHOW_PAGE');
// Screenshots are named after the page and its folder (a fixture site, a gallery).
const SHOT = `${path.basename(path.dirname(PAGE))}-${path.basename(PAGE, '.html')}`;

let browser;
let slideCount = 0;

// Opens the page with the clock held still after loading, so the automatic show moves nothing
// until a test lets time run.
async function open({ width = 1280, height = 900, touch = false, reducedMotion = 'no-preference' } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, locale: 'en-US', hasTouch: touch, reducedMotion });
  const page = await context.newPage();
  const problems = watchPage(page);
  const start = new Date('2024-06-01T10:00:00Z').getTime();
  await page.clock.install({ time: start });
  await page.clock.pauseAt(start + 1000);
  await page.goto(fileUrl(PAGE), { waitUntil: 'load' });
  return { context, page, problems };
}

// What the visitor sees: which slides are displayed, which dots are marked, the number on the
// shown slide and the text of the region a screen reader announces.
function readState(page) {
  return page.evaluate(() => {
    const slides = [...document.querySelectorAll('.slideshow-container .mySlides')];
    const dots = [...document.querySelectorAll('.dot')];
    const shown = slides.flatMap((slide, i) => (getComputedStyle(slide).display !== 'none' ? [i] : []));
    const active = dots.flatMap((dot, i) => (dot.classList.contains('active') ? [i] : []));
    const number = shown.length ? slides[shown[0]].querySelector('.numbertext') : null;
    const live = document.querySelector('.slideshow-container [aria-live]');
    return {
      shown,
      active,
      counter: number ? number.innerText.trim() : null,
      live: live ? live.textContent : null,
      liveMode: live ? live.getAttribute('aria-live') : null,
    };
  });
}

async function expectShown(page, index, why) {
  const state = await readState(page);
  const counter = `${index + 1} / ${slideCount}`;
  assert.deepEqual(state.shown, [index], `${why}: shown slides`);
  assert.deepEqual(state.active, [index], `${why}: active dots`);
  assert.equal(state.counter, counter, `${why}: number on the slide`);
  assert.ok(state.live && state.live.startsWith(counter), `${why}: announced "${state.live}", wanted "${counter}"`);
}

// A finger moving across the screen, sent as real touch input.
async function swipe(page, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const point = (p) => [{ x: Math.round(p.x), y: Math.round(p.y) }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(from) });
  for (let step = 1; step <= 5; step++) {
    const at = { x: from.x + ((to.x - from.x) * step) / 5, y: from.y + ((to.y - from.y) * step) / 5 };
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: point(at) });
  }
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await cdp.detach();
}

const last = () => slideCount - 1;
const next = (page) => page.getByRole('button', { name: 'Next picture' }).click();
const previous = (page) => page.getByRole('button', { name: 'Previous picture' }).click();

describe(`slideshow ${PAGE}`, () => {
  before(async () => {
    browser = await launchBrowser();
    const { context, page } = await open();
    slideCount = await page.locator('.slideshow-container .mySlides').count();
    await context.close();
    assert.ok(slideCount > 0, 'the page holds no slide');
  });
  after(() => browser && browser.close());

  test('after loading, slide 1 is shown with its picture and dot 1 is active', async () => {
    const { context, page, problems } = await open();
    await expectShown(page, 0, 'after load');
    assert.equal(await page.locator('.dot').count(), slideCount, 'one dot per slide');
    const picture = await page.locator('.mySlides').first().locator('img').evaluate((img) => ({
      natural: img.naturalWidth, width: img.getBoundingClientRect().width,
    }));
    assert.ok(picture.natural > 0 && picture.width > 0, `picture of slide 1: ${JSON.stringify(picture)}`);
    await saveScreenshot(page, `${SHOT}-1280`);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('next and previous buttons step through the slides in a ring', async (t) => {
    if (slideCount < 2) return t.skip('one slide only');
    const { context, page } = await open();
    await next(page);
    await expectShown(page, 1, 'next');
    await previous(page);
    await expectShown(page, 0, 'next, previous');
    await previous(page);
    await expectShown(page, last(), 'previous from the first slide');
    await next(page);
    await expectShown(page, 0, 'next from the last slide');
    await context.close();
  });

  test('each dot shows its slide', async () => {
    const { context, page } = await open();
    for (let i = slideCount - 1; i >= 0; i--) {
      await page.locator('.dot').nth(i).click();
      await expectShown(page, i, `dot ${i + 1}`);
    }
    // The dots work from the keyboard too.
    await page.locator('.dot').nth(last()).focus();
    await page.keyboard.press('Enter');
    await expectShown(page, last(), 'Enter on the last dot');
    await context.close();
  });

  test('arrow keys step through the slides', async () => {
    const { context, page } = await open();
    await page.keyboard.press('ArrowRight');
    await expectShown(page, 1 % slideCount, 'ArrowRight');
    await page.keyboard.press('ArrowLeft');
    await expectShown(page, 0, 'ArrowRight, ArrowLeft');
    await page.keyboard.press('ArrowLeft');
    await expectShown(page, last(), 'ArrowLeft on the first slide');
    await context.close();
  });

  test('a swipe changes the slide; a short or an upward move does not', async () => {
    const { context, page } = await open({ width: 360, height: 740, touch: true });
    const box = await page.locator('.slideshow-container').boundingBox();
    const middle = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
    const left = { x: box.x + box.width * 0.15, y: middle.y };
    const right = { x: box.x + box.width * 0.85, y: middle.y };

    await swipe(page, right, left);
    await expectShown(page, 1 % slideCount, 'swipe to the left');
    await swipe(page, left, right);
    await expectShown(page, 0, 'swipe to the right');
    await swipe(page, middle, { x: middle.x - 10, y: middle.y });
    await expectShown(page, 0, 'a 10-pixel move');
    await swipe(page, { x: middle.x, y: middle.y + 40 }, { x: middle.x - 45, y: middle.y - 60 });
    await expectShown(page, 0, 'a mostly upward move');
    await context.close();
  });

  test('the show plays by itself every few seconds until paused', async (t) => {
    if (slideCount < 2) return t.skip('one slide only');
    const { context, page } = await open();
    await expectShown(page, 0, 'after load');
    assert.equal((await readState(page)).liveMode, 'off', 'no announcement for every automatic change');
    await page.clock.runFor(2900);
    await expectShown(page, 0, 'after 2.9 seconds');
    await page.clock.runFor(7100);
    const moved = (await readState(page)).shown[0];
    assert.ok(moved > 0, 'the show has moved on after 10 seconds');

    await page.getByRole('button', { name: 'Pause slideshow' }).click();
    await page.clock.runFor(30000);
    await expectShown(page, moved, 'paused for 30 seconds');
    assert.equal((await readState(page)).liveMode, 'polite', 'changes are announced while paused');

    await page.getByRole('button', { name: 'Play slideshow' }).click();
    await page.clock.runFor(10000);
    assert.notEqual((await readState(page)).shown[0], moved, 'playing again');

    // Escape stops the show as well.
    await page.keyboard.press('Escape');
    const stopped = (await readState(page)).shown[0];
    await page.clock.runFor(30000);
    await expectShown(page, stopped, 'after Escape');
    await page.getByRole('button', { name: 'Play slideshow' }).waitFor();
    await context.close();
  });

  test('a visitor who asked for less motion gets no automatic show', async () => {
    const { context, page } = await open({ reducedMotion: 'reduce' });
    await page.clock.runFor(30000);
    await expectShown(page, 0, 'after 30 seconds');
    if (slideCount > 1) await page.getByRole('button', { name: 'Play slideshow' }).waitFor();
    await context.close();
  });

  test('the full-screen button fills the screen, Escape and the close image leave it', async () => {
    const { context, page, problems } = await open({ width: 1024, height: 700 });
    const container = page.locator('.slideshow-container');
    const toggle = (name) => page.getByRole('button', { name });
    const toggleImage = async () => toggle(/full screen/i).locator('img').evaluate((img) => ({
      src: img.src.replace(/.*\//, ''), natural: img.naturalWidth,
    }));

    assert.deepEqual(await toggleImage(), { src: 'restore.png', natural: 40 });
    await toggle('Full screen').click();
    await toggle('Leave full screen').waitFor();
    assert.deepEqual(await toggleImage(), { src: 'x.png', natural: 40 });
    const box = await container.boundingBox();
    assert.deepEqual([box.x, box.y, box.width, box.height], [0, 0, 1024, 700], 'fills the window');
    await page.keyboard.press('ArrowRight');
    await expectShown(page, 1 % slideCount, 'ArrowRight in full screen');
    const picture = await page.locator('.mySlides img').nth(1 % slideCount).boundingBox();
    assert.ok(picture.height <= 700 && picture.width <= 1024, `picture fits: ${JSON.stringify(picture)}`);
    await saveScreenshot(page, `${SHOT}-fullscreen`);

    await page.keyboard.press('Escape');
    await toggle('Full screen').waitFor();
    assert.ok((await container.boundingBox()).y > 0, 'back in the page');
    await toggle('Full screen').click();
    await toggle('Leave full screen').click();
    await toggle('Full screen').waitFor();
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('controls have names a screen reader reads out', async () => {
    const { context, page } = await open();
    const named = async (role, name) => assert.equal(await page.getByRole(role, { name, exact: true }).count(), 1, `${role} "${name}"`);
    await named('region', 'Slideshow');
    await named('button', 'Full screen');
    if (slideCount > 1) {
      await named('button', 'Previous picture');
      await named('button', 'Next picture');
      await named('button', 'Pause slideshow');
    } else {
      // With one picture there is nothing to step to or play.
      for (const name of ['Previous picture', 'Next picture', 'Pause slideshow', 'Play slideshow']) {
        assert.equal(await page.getByRole('button', { name }).count(), 0, `no "${name}" button`);
      }
    }
    for (let i = 1; i <= slideCount; i++) await named('button', `Picture ${i} / ${slideCount}`);
    const current = await page.locator('.dot[aria-current="true"]').count();
    assert.equal(current, 1, 'the active dot is marked as current');
    await context.close();
  });

  test('on a 360-pixel phone screen the picture fits the width', async () => {
    const { context, page } = await open({ width: 360, height: 740, touch: true });
    const picture = await page.locator('.mySlides img').first().boundingBox();
    assert.ok(picture.x >= 0 && picture.x + picture.width <= 360, `picture box ${JSON.stringify(picture)}`);
    const scrollWidth = await page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(scrollWidth <= 360, `page is ${scrollWidth} pixels wide`);
    await saveScreenshot(page, `${SHOT}-360`);
    if (slideCount > 1) {
      await page.locator('.dot').nth(1).click();
      await saveScreenshot(page, `${SHOT}-360-slide2`);
    }
    await context.close();
  });
});
