// Shared pieces of the browser tests: Debian's Chromium through playwright-core, the page under
// test (handed in by path, so the same checks run on a fixture or on a generated gallery), and
// the folder where screenshots go.
'use strict';

const fs = require('node:fs');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

const CHROMIUM = process.env.WEXBO_CHROMIUM || '/usr/bin/chromium';

// Chromium runs as root here, without a GPU and without talking to the network on its own.
function launchBrowser() {
  return chromium.launch({
    executablePath: CHROMIUM,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--no-first-run'],
  });
}

// The page file named by an environment variable, checked to exist.
function pageUnderTest(variable) {
  const file = process.env[variable];
  if (!file) throw new Error(`${variable} must name the page to test`);
  if (!fs.existsSync(file)) throw new Error(`${variable}: ${file} does not exist`);
  return path.resolve(file);
}

function fileUrl(file) {
  return pathToFileURL(file).href;
}

function outputFolder() {
  const folder = process.env.WEXBO_BROWSER_OUTPUT || path.join(__dirname, '..', 'output');
  fs.mkdirSync(folder, { recursive: true });
  return folder;
}

// Saves a screenshot as OUTPUT/name.png with animations run to their end, and returns its path.
async function saveScreenshot(page, name, options = {}) {
  const file = path.join(outputFolder(), `${name}.png`);
  await page.screenshot({ path: file, animations: 'disabled', ...options });
  return file;
}

// Records script errors, failed loads and any request that leaves the local folder, so a test can
// insist that a page works from file:// without a network.
function watchPage(page) {
  const problems = [];
  page.on('pageerror', (error) => problems.push(`script error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`failed to load ${request.url()}`));
  page.on('request', (request) => {
    const url = request.url();
    if (!url.startsWith('file:') && !url.startsWith('data:')) problems.push(`network request: ${url}`);
  });
  return problems;
}

module.exports = { launchBrowser, pageUnderTest, fileUrl, outputFolder, saveScreenshot, watchPage };
