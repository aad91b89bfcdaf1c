// Lighthouse on a modern-style gallery served as a web host serves it (gzip, cache headers): the
// overview, the first detail page and the slideshow score 100 for accessibility, best practices
// and SEO, on a phone and on a desktop. Performance is left to bench/pages.sh: on a shared machine
// it is too noisy for a test.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { pageUnderTest } = require('./lib/browser');
const { auditPages } = require('./lib/lighthouse');

const PAGE = pageUnderTest('WEXBO_GALLERY_PAGE');
const FOLDER = path.dirname(PAGE);

// The overview's first picture link names the first detail page.
function firstDetailPage() {
  const link = fs.readFileSync(PAGE, 'utf8').match(/<main>[\s\S]*?<a href="([^"]+)"/);
  if (!link) throw new Error(`${PAGE}: no picture link`);
  return decodeURI(link[1]);
}

test('the overview, a detail page and the slideshow score 100 for accessibility, best practices and SEO', async () => {
  const pages = [path.basename(PAGE), firstDetailPage(), 'slideshow.html'];
  const results = await auditPages(FOLDER, pages);
  assert.equal(results.length, 6);
  const short = results.filter((r) => ['accessibility', 'best-practices', 'seo'].some((c) => r.scores[c] !== 100));
  assert.deepEqual(short.map((r) => ({ page: r.page, form: r.form, scores: r.scores, failing: r.failing })), []);
});
