// The pages benchmark's browser half (bench/pages.sh runs it): for a classic and a modern gallery
// of the same pictures, served by the browser tests' gzip server, the bytes each page loads and
// Lighthouse's performance scores.
//   node bench/pages.js CLASSIC_FOLDER MODERN_FOLDER
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { launchBrowser } = require('../tests/browser/lib/browser');
const { serveFolder } = require('../tests/browser/lib/gallery_server');
const { auditPages } = require('../tests/browser/lib/lighthouse');

// Bytes over the wire (after gzip) for the page at `url`: once loaded, and once scrolled to its end.
async function pageWeight(browser, url, viewport) {
  const context = await browser.newContext({ viewport, deviceScaleFactor: 1 });
  const page = await context.newPage();
  const session = await context.newCDPSession(page);
  await session.send('Network.enable');
  await session.send('Network.setCacheDisabled', { cacheDisabled: true });
  let bytes = 0;
  const names = new Map();
  const pictures = [];  // the JPEG files loaded before any scrolling
  session.on('Network.requestWillBeSent', (event) => names.set(event.requestId, decodeURI(event.request.url.split('/').pop())));
  session.on('Network.loadingFinished', (event) => {
    bytes += event.encodedDataLength;
    if (names.get(event.requestId).endsWith('.jpg')) pictures.push(event.encodedDataLength);
  });
  await page.goto(url, { waitUntil: 'networkidle' });
  const loaded = bytes;
  const loadedPictures = [...pictures];
  await page.evaluate(async () => {
    for (let y = 0; y < document.documentElement.scrollHeight; y += window.innerHeight / 2) {
      window.scrollTo(0, y);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  });
  await page.waitForLoadState('networkidle');
  const scrolled = bytes;
  await context.close();
  return { loaded, scrolled, loadedPictures };
}

// The first detail page the overview links to.
async function firstDetail(browser, url) {
  const page = await browser.newPage();
  await page.goto(url);
  const href = await page.locator('a[href$=".html"]:not([href="slideshow.html"])').first().getAttribute('href');
  await page.close();
  return decodeURI(href);
}

async function main() {
  const [classic, modern] = process.argv.slice(2);
  if (!classic || !modern) throw new Error('usage: node bench/pages.js CLASSIC_FOLDER MODERN_FOLDER');
  const browser = await launchBrowser();
  const styles = { classic, modern };
  const pages = {};
  const weights = {};
  for (const [style, folder] of Object.entries(styles)) {
    const server = await serveFolder(folder);
    const detail = await firstDetail(browser, `${server.url}gallery.html`);
    pages[style] = ['gallery.html', detail, 'slideshow.html'];
    for (const name of pages[style]) {
      weights[`${style} ${name}`] = await pageWeight(browser, `${server.url}${encodeURI(name)}`, { width: 1280, height: 800 });
    }
    await server.close();
  }
  await browser.close();

  const kb = (bytes) => (bytes / 1024).toFixed(0);
  console.log('## Bytes loaded (1280 x 800 window, density 1, after gzip)');
  console.log('| page | classic: loaded / scrolled to the end (KiB) | modern: loaded / scrolled (KiB) | modern / classic (scrolled) |');
  console.log('|---|---|---|---|');
  ['overview', 'detail page', 'slideshow'].forEach((label, i) => {
    const c = weights[`classic ${pages.classic[i]}`];
    const m = weights[`modern ${pages.modern[i]}`];
    console.log(`| ${label} | ${kb(c.loaded)} / ${kb(c.scrolled)} | ${kb(m.loaded)} / ${kb(m.scrolled)} | ${(m.scrolled / c.scrolled).toFixed(2)} |`);
  });

  // The slideshow's goal: before any interaction it loads at most three full-size pictures.
  const show = weights[`modern ${pages.modern[2]}`];
  const pictureBytes = show.loadedPictures.reduce((a, b) => a + b, 0);
  const fullSizes = fs.readdirSync(modern).filter((name) => /\.jpg$/.test(name) && !/(_thumb|@2x)\.jpg$/.test(name));
  console.log(`\nModern slideshow before any interaction: ${show.loadedPictures.length} of ${fullSizes.length} ` +
    `full-size pictures (${kb(pictureBytes)} KiB) and ${kb(show.loaded - pictureBytes)} KiB of page, script, ` +
    'stylesheet and button (goal: at most 3 pictures)');

  console.log('\n## Lighthouse performance (12.2.3, Debian\'s Chromium, gzip server)');
  console.log('| page | classic mobile | classic desktop | modern mobile | modern desktop |');
  console.log('|---|---|---|---|---|');
  const scores = {};
  for (const [style, folder] of Object.entries(styles)) {
    for (const result of await auditPages(folder, pages[style])) {
      scores[`${style} ${result.page} ${result.form}`] = result.scores.performance;
    }
  }
  ['overview', 'detail page', 'slideshow'].forEach((label, i) => {
    const row = ['classic', 'modern'].flatMap((style) => ['mobile', 'desktop'].map((form) => scores[`${style} ${pages[style][i]} ${form}`]));
    console.log(`| ${label} | ${row.join(' | ')} |`);
  });
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
