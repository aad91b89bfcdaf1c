// Lighthouse (the npm package, version from package-lock.json) in Debian's Chromium, on pages of a
// gallery folder served by gallery_server.js, as a phone and as a desktop see them.
'use strict';

const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { serveFolder } = require('./gallery_server');

const CHROMIUM = process.env.WEXBO_CHROMIUM || '/usr/bin/chromium';
const CATEGORIES = ['performance', 'accessibility', 'best-practices', 'seo'];

// Lighthouse and chrome-launcher are ES modules, which ignore NODE_PATH: find them the CommonJS
// way, then import them by path.
function importPackage(name, file) {
  const folder = path.dirname(require.resolve(`${name}/package.json`));
  return import(pathToFileURL(path.join(folder, file)).href);
}

// Audits each of `pages` (names in `folder`) for each form factor ('mobile', 'desktop'). Resolves
// to [{ page, form, scores: { category: 0..100 }, failing: ['category: audit (score) …'] }].
async function auditPages(folder, pages, forms = ['mobile', 'desktop']) {
  const lighthouse = (await importPackage('lighthouse', 'core/index.js')).default;
  const desktop = (await importPackage('lighthouse', 'core/config/desktop-config.js')).default;
  const { launch } = await importPackage('chrome-launcher', 'dist/index.js');
  const server = await serveFolder(folder);
  const chrome = await launch({
    chromePath: CHROMIUM,
    chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--no-first-run'],
  });
  const results = [];
  try {
    for (const form of forms) {
      for (const page of pages) {
        const run = await lighthouse(`${server.url}${encodeURI(page)}`,
          { port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: CATEGORIES },
          form === 'desktop' ? desktop : undefined);
        const { categories, audits } = run.lhr;
        const scores = {};
        const failing = [];
        for (const [id, category] of Object.entries(categories)) {
          scores[id] = Math.round(category.score * 100);
          for (const ref of category.auditRefs) {
            const audit = audits[ref.id];
            if (ref.weight > 0 && audit.score !== null && audit.score < 1) {
              failing.push(`${id}: ${ref.id} (${audit.score}${audit.displayValue ? `, ${audit.displayValue}` : ''})`);
            }
          }
        }
        results.push({ page, form, scores, failing });
      }
    }
  } finally {
    await chrome.kill();
    await server.close();
  }
  return results;
}

module.exports = { auditPages };
