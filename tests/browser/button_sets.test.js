// The button-set chooser page in Chromium, opened from file://: the page named by
// WEXBO_BUTTON_PAGE (buttons/01/test.html of a program or data folder).
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser, pageUnderTest, fileUrl, saveScreenshot, watchPage } = require('./lib/browser');

const PAGE = pageUnderTest('WEXBO_BUTTON_PAGE');
const ROLES = ['slideshow', 'gallery', 'previous', 'home', 'next'];
const SETS = 28;

let browser;
before(async () => { browser = await launchBrowser(); });
after(() => browser && browser.close());

test(`every button of every set loads and shows with its number: ${PAGE}`, async () => {
  const context = await browser.newContext({ viewport: { width: 885, height: 776 } });
  const page = await context.newPage();
  const problems = watchPage(page);
  await page.goto(fileUrl(PAGE), { waitUntil: 'load' });

  const images = await page.locator('img').evaluateAll((all) => all.map((img) => ({
    set: (img.getAttribute('src').match(/(?:^|\/)(\d\d)\/[a-z]+\.gif$/) || [])[1],
    file: img.getAttribute('src').replace(/.*\//, ''),
    natural: img.naturalWidth,
    shown: img.getBoundingClientRect().width,
  })));
  const broken = images.filter((image) => !(image.natural > 0 && image.shown > 0));
  assert.deepEqual(broken, [], 'images that did not load or do not show');

  for (let n = 1; n <= SETS; n++) {
    const set = String(n).padStart(2, '0');
    for (const role of ROLES) {
      assert.ok(images.some((image) => image.set === set && image.file === `${role}.gif`), `set ${set}: ${role}.gif`);
    }
  }
  const numbers = await page.evaluate(() => document.body.innerText);
  for (let n = 1; n <= SETS; n++) assert.match(numbers, new RegExp(`(^|\\s)${n}(\\s|$)`), `number ${n} on the page`);
  assert.deepEqual(problems, []);

  await saveScreenshot(page, 'button-sets', { fullPage: true });
  await context.close();
});
