// A gallery made by `wexbo generate` with captions on, in Chromium from file://: the overview page
// named by WEXBO_GALLERY_PAGE, checked against the album folder it was made from,
// WEXBO_GALLERY_ALBUM (its title, its captions and its pictures in album order).
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { fileURLToPath } = require('node:url');
const { describe, test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { launchBrowser, pageUnderTest, fileUrl, saveScreenshot, watchPage } = require('./lib/browser');
const { readAlbum } = require('./lib/album');

const PAGE = pageUnderTest('WEXBO_GALLERY_PAGE');
const FOLDER = path.dirname(PAGE);
if (!process.env.WEXBO_GALLERY_ALBUM) throw new Error('WEXBO_GALLERY_ALBUM must name the album folder');
const ALBUM = readAlbum(process.env.WEXBO_GALLERY_ALBUM);
const SHOT = path.basename(FOLDER);  // screenshots are named after the gallery folder
const GRID = 8;                      // pictures are compared as 8 × 8 cells of mean colour

let browser;
// What the overview leads to, in album order: each picture's detail page, overview picture and
// (from the detail page) full-size picture, as files.
const gallery = { details: [], thumbs: [], fullSizes: [] };

const captionOf = (i) => ALBUM.pictures[i].caption;
const fileOf = (url) => fileURLToPath(url.replace(/[?#].*$/, ''));

async function open(file, { width = 1280, height = 900 } = {}) {
  const context = await browser.newContext({ viewport: { width, height }, locale: 'en-US' });
  const page = await context.newPage();
  const problems = watchPage(page);
  await page.goto(fileUrl(file), { waitUntil: 'load' });
  const images = await loadImages(page);
  return { context, page, problems, images };
}

// Brings every picture of the page in (the pages load theirs lazily, as a visitor scrolls) and
// tells for each whether it loaded.
async function loadImages(page) {
  const images = page.locator('img');
  for (let i = 0, n = await images.count(); i < n; i++) {
    if (await images.nth(i).isVisible()) await images.nth(i).scrollIntoViewIfNeeded();
  }
  return page.evaluate(async () => {
    const settled = (img) => img.complete || new Promise((resolve) => {
      img.addEventListener('load', resolve, { once: true });
      img.addEventListener('error', resolve, { once: true });
      setTimeout(resolve, 10000);
    });
    await Promise.all([...document.images].map(settled));
    window.scrollTo(0, 0);
    return [...document.images].map((img) => ({ src: img.getAttribute('src'), width: img.naturalWidth, height: img.naturalHeight }));
  });
}

function assertAllLoaded(images, where) {
  assert.ok(images.length > 0, `${where}: no picture at all`);
  assert.deepEqual(images.filter((image) => !(image.width > 0 && image.height > 0)), [], `${where}: pictures that did not load`);
}

// The picture in a file as the browser shows it (EXIF orientation applied), as GRID × GRID cells
// of mean colour: drawn at 16 × 16 pixels a cell and averaged here, since a canvas shrinking a
// large picture straight to a few pixels samples rather than averages.
async function colourGrid(page, file) {
  const url = `data:image/jpeg;base64,${fs.readFileSync(file).toString('base64')}`;
  return page.evaluate(async ({ url, n }) => {
    const img = new Image();
    img.src = url;
    await img.decode();
    const size = n * 16;
    const canvas = document.createElement('canvas');
    canvas.width = canvas.height = size;
    const context = canvas.getContext('2d');
    context.imageSmoothingQuality = 'high';
    context.drawImage(img, 0, 0, size, size);
    const pixels = context.getImageData(0, 0, size, size).data;
    const rgb = new Array(n * n * 3).fill(0);
    for (let y = 0; y < size; y++) {
      for (let x = 0; x < size; x++) {
        const cell = (Math.floor(y / 16) * n + Math.floor(x / 16)) * 3;
        for (let c = 0; c < 3; c++) rgb[cell + c] += pixels[(y * size + x) * 4 + c] / 256;
      }
    }
    return { width: img.naturalWidth, height: img.naturalHeight, rgb };
  }, { url, n: GRID });
}

// The largest difference of one colour channel of one cell between two grids.
function gridDistance(a, b) {
  return Math.max(...a.rgb.map((value, k) => Math.abs(value - b.rgb[k])));
}

describe(`gallery ${PAGE}`, () => {
  before(async () => {
    browser = await launchBrowser();
    const { context, page } = await open(PAGE);
    const cells = await page.locator('td a img.sca').evaluateAll((all) => all.map((img) => ({ page: img.parentElement.href, thumb: img.src })));
    for (const cell of cells) {
      gallery.details.push(fileOf(cell.page));
      gallery.thumbs.push(fileOf(cell.thumb));
    }
    for (const detail of gallery.details) {
      await page.goto(fileUrl(detail));
      gallery.fullSizes.push(fileOf(await page.locator('img.fullsca').evaluate((img) => img.src)));
    }
    await context.close();
  });
  after(() => browser && browser.close());

  test('the overview shows the album title and every picture in album order, each linked to its page with its caption', async () => {
    const { context, page, problems, images } = await open(PAGE);
    assertAllLoaded(images, 'overview');
    const view = await page.evaluate(() => ({
      title: document.title,
      header: document.querySelector('.header').textContent.trim(),
      cells: [...document.querySelectorAll('td')].filter((td) => td.querySelector('img')).map((td) => {
        const img = td.querySelector('img');
        return { alt: img.alt, tip: img.title, text: td.textContent.trim(), elements: [...td.querySelectorAll('*')].map((e) => e.localName) };
      }),
      pictures: document.images.length,
      scripts: document.scripts.length,
    }));
    assert.equal(view.title, ALBUM.title, 'page title');
    assert.equal(view.header, ALBUM.title, 'header');
    assert.equal(view.cells.length, ALBUM.pictures.length, 'one cell per picture');
    view.cells.forEach((cell, i) => {
      const caption = captionOf(i);
      assert.deepEqual({ alt: cell.alt, tip: cell.tip, text: cell.text }, { alt: caption, tip: caption, text: caption }, `picture ${i + 1}`);
      // A caption holding markup must stay text: no element beyond the link, picture and break.
      assert.deepEqual(cell.elements, ['a', 'img', 'br'], `picture ${i + 1}: elements of its cell`);
    });
    assert.equal(view.pictures, ALBUM.pictures.length + 1, 'the pictures and the slideshow button, nothing else');
    assert.equal(view.scripts, 0, 'scripts on the overview');
    assert.equal(new Set(gallery.details).size, ALBUM.pictures.length, 'a page of its own for every picture');
    assert.deepEqual(problems, []);
    await saveScreenshot(page, `${SHOT}-overview-1280`, { fullPage: true });
    await context.close();
  });

  test('every link and picture of every page leads to a file of the gallery; only the footer link leaves it', async () => {
    const context = await browser.newContext({ viewport: { width: 1280, height: 900 }, locale: 'en-US' });
    const page = await context.newPage();
    const problems = watchPage(page);
    const seen = new Set([PAGE]);
    for (const queue = [PAGE]; queue.length;) {
      const file = queue.shift();
      const name = path.basename(file);
      await page.goto(fileUrl(file), { waitUntil: 'load' });
      assertAllLoaded(await loadImages(page), name);
      const refs = await page.evaluate(() => {
        const rule = document.querySelector('hr');
        return [...document.querySelectorAll('a[href], img[src], link[href], script[src]')].map((e) => ({
          written: e.getAttribute('href') ?? e.getAttribute('src'),
          url: e.href || e.src,
          page: e.localName === 'a',
          footer: e.localName === 'a' && e.target === '_blank' && !!rule &&
            !!(rule.compareDocumentPosition(e) & Node.DOCUMENT_POSITION_FOLLOWING),
        }));
      });
      const away = refs.filter((ref) => !ref.url.startsWith('file:'));
      assert.ok(away.length <= 1 && away.every((ref) => ref.footer && ref.url.startsWith('https://')),
        `${name}: links that leave the gallery: ${JSON.stringify(away)}`);
      for (const ref of refs.filter((r) => r.url.startsWith('file:'))) {
        const target = fileOf(ref.url);
        assert.equal(path.dirname(target), FOLDER, `${name}: "${ref.written}" points outside the gallery`);
        assert.ok(fs.statSync(target, { throwIfNoEntry: false })?.isFile(), `${name}: "${ref.written}" names no file`);
        if (ref.page && !seen.has(target)) {
          seen.add(target);
          queue.push(target);
        }
      }
    }
    assert.deepEqual(problems, []);
    // From the overview a visitor reaches every page: the slideshow and one page per picture.
    const pages = fs.readdirSync(FOLDER).filter((n) => n.endsWith('.html')).map((n) => path.join(FOLDER, n));
    assert.deepEqual([...seen].sort(), pages.sort());
    assert.equal(pages.length, ALBUM.pictures.length + 2);
    await context.close();
  });

  test('detail pages run in a ring, each with its picture, its caption and the way back', async () => {
    const count = gallery.details.length;
    const { context, page, problems } = await open(gallery.details[0]);
    for (let i = 0; i < count; i++) {
      const where = `page of picture ${i + 1} (${path.basename(gallery.details[i])})`;
      if (i > 0) await page.goto(fileUrl(gallery.details[i]), { waitUntil: 'load' });
      assertAllLoaded(await loadImages(page), where);
      const view = await page.evaluate(() => {
        const button = (src) => {
          const img = document.querySelector(`a > img[src="${src}"]`);
          return img ? img.parentElement.href : null;
        };
        const picture = document.querySelector('img.fullsca');
        return {
          title: document.title,
          header: document.querySelector('.header').textContent.trim(),
          previous: button('previous.gif'), home: button('home.gif'), next: button('next.gif'),
          pictureLink: picture.parentElement.href,
          alt: picture.alt, tip: picture.title,
          text: picture.closest('div').textContent.trim(),
          elements: [...picture.closest('div').querySelectorAll('*')].map((e) => e.localName),
          scripts: document.scripts.length,
        };
      });
      const caption = captionOf(i);
      assert.equal(view.title, `${ALBUM.title} ${caption}`.trim(), `${where}: title`);
      assert.equal(view.header, ALBUM.title, `${where}: header`);
      assert.deepEqual({ alt: view.alt, tip: view.tip, text: view.text }, { alt: caption, tip: caption, text: caption }, `${where}: caption`);
      assert.deepEqual(view.elements, ['a', 'img', 'br', 'br'], `${where}: elements around the picture`);
      assert.equal(view.scripts, 0, `${where}: scripts`);
      assert.deepEqual([view.previous, view.home, view.next, view.pictureLink],
        [fileUrl(gallery.details[(i + count - 1) % count]), fileUrl(PAGE), fileUrl(gallery.details[(i + 1) % count]), fileUrl(PAGE)],
        `${where}: previous, home, next and the picture's own link`);
      await saveScreenshot(page, `${SHOT}-detail-${path.basename(gallery.details[i], '.html')}`, { fullPage: true });
    }

    // Clicking "next" goes round the album once; "previous" on the first picture leads to the last.
    const click = async (button, to) => {
      await page.locator(`a:has(> img[src="${button}"])`).click();
      await page.waitForURL(fileUrl(to));
    };
    await page.goto(fileUrl(gallery.details[0]));
    for (let i = 1; i <= count; i++) await click('next.gif', gallery.details[i % count]);
    await click('previous.gif', gallery.details[count - 1]);
    await click('home.gif', PAGE);
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('web pictures stand as their sources do: same shape, upright, not mirrored', async () => {
    const { context, page } = await open(PAGE);
    for (let i = 0; i < ALBUM.pictures.length; i++) {
      const { file, upright } = ALBUM.pictures[i];
      const where = `picture ${i + 1} (${path.basename(file)})`;
      const source = await colourGrid(page, file);
      // The browser turns the source by its EXIF orientation too; check that it did.
      assert.deepEqual([source.width, source.height], [upright.width, upright.height], `${where}: source as it stands`);
      for (const web of [gallery.fullSizes[i], gallery.thumbs[i]]) {
        const shown = await colourGrid(page, web);
        const what = `${where}: ${path.basename(web)} (${shown.width} × ${shown.height})`;
        assert.equal(shown.height > shown.width, upright.height > upright.width, `${what}: portrait exactly when the source stands portrait`);
        assert.ok(Math.abs(shown.width / shown.height - upright.width / upright.height) < 0.02, `${what}: aspect ratio`);
        const distance = gridDistance(source, shown);
        assert.ok(distance < 12, `${what}: differs from the source by up to ${distance.toFixed(1)} in a colour of one cell`);
      }
    }
    await context.close();
  });

  test('the slideshow holds every picture in album order with its number and caption', async () => {
    const { context, page, problems, images } = await open(path.join(FOLDER, 'slideshow.html'));
    assertAllLoaded(images, 'slideshow');
    const view = await page.evaluate(() => ({
      header: document.querySelector('.header').textContent.trim(),
      slides: [...document.querySelectorAll('.mySlides')].map((slide) => ({
        number: slide.querySelector('.numbertext').textContent.trim(),
        picture: slide.querySelector('img').src,
        caption: slide.querySelector('.captext').textContent,
        elements: slide.querySelector('.captext').children.length,
      })),
    }));
    assert.equal(view.header, ALBUM.title, 'header');
    const count = ALBUM.pictures.length;
    assert.deepEqual(view.slides, ALBUM.pictures.map((picture, i) => ({
      number: `${i + 1} / ${count}`, picture: fileUrl(gallery.fullSizes[i]), caption: picture.caption, elements: 0,
    })));
    assert.deepEqual(problems, []);
    await context.close();
  });

  test('on a 360-pixel-wide screen the overview pictures fill their cells and no page is wider than the screen', async () => {
    const { context, page } = await open(PAGE, { width: 360, height: 740 });
    const cells = await page.locator('img.sca').evaluateAll((all) => all.map((img) => {
      const box = img.getBoundingClientRect();
      const cell = img.closest('td');
      const style = getComputedStyle(cell);
      return {
        src: img.getAttribute('src'),
        picture: box.width,
        cell: cell.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight),
        shape: box.height / box.width,
        ownShape: img.naturalHeight / img.naturalWidth,
      };
    }));
    assert.equal(cells.length, ALBUM.pictures.length);
    for (const cell of cells) {
      assert.ok(Math.abs(cell.picture - cell.cell) <= 1, `${cell.src}: ${cell.picture} pixels wide in a cell of ${cell.cell}`);
      assert.ok(Math.abs(cell.shape - cell.ownShape) < 0.03, `${cell.src}: height follows the width`);
    }
    const overflow = async () => page.evaluate(() => document.documentElement.scrollWidth);
    assert.ok(await overflow() <= 360, `overview is ${await overflow()} pixels wide`);
    await saveScreenshot(page, `${SHOT}-overview-360`, { fullPage: true });

    for (const detail of gallery.details) {
      await page.goto(fileUrl(detail), { waitUntil: 'load' });
      await loadImages(page);
      const box = await page.locator('img.fullsca').boundingBox();
      assert.ok(box.x >= 0 && box.x + box.width <= 360, `${path.basename(detail)}: picture box ${JSON.stringify(box)}`);
      assert.ok(await overflow() <= 360, `${path.basename(detail)} is ${await overflow()} pixels wide`);
    }
    await saveScreenshot(page, `${SHOT}-detail-360`, { fullPage: true });
    await context.close();
  });
});
