// Pictures of an archive as a reader sees it: P1.html with a comment frame open, and index.html.
// Usage: node archive_screenshots.mjs FOLDER (PLIMO_SIM and PLIMO_BACKUP name the built programs).
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { launchOfflineChromium } from './offline_chromium.mjs';
import { backUpSimulatedBlog } from './simulated_backup.mjs';

const folder = path.resolve(process.argv[2] ?? 'screenshots');
fs.mkdirSync(folder, { recursive: true });

const backup = await backUpSimulatedBlog(
  { id: 'demo', password: 'demo', title: '데모 블로그' },
  { pages: 2, 'posts-per-page': 3 },
);
const browser = await launchOfflineChromium();
try {
  const { page } = browser;
  const open = (name) => page.goto(pathToFileURL(path.join(backup.archive, name)).href, { waitUntil: 'load' });

  await open('P1.html');
  await page.locator('#Com1').click();
  const frame = page.locator('iframe[id^="CommentFrm"]').first();
  await frame.waitFor({ state: 'visible' });
  await (await frame.elementHandle()).contentFrame().then((content) => content.waitForLoadState('load'));
  await page.locator('#Com1').scrollIntoViewIfNeeded();
  await page.screenshot({ path: path.join(folder, 'archive-p1-comments.png') });

  await open('index.html');
  await page.screenshot({ path: path.join(folder, 'archive-index.png') });

  if (browser.outsideRequests.length > 0) console.error('requests outside file://:', browser.outsideRequests);
  console.log(`screenshot-archive: ${path.join(folder, 'archive-p1-comments.png')}`);
  console.log(`screenshot-archive: ${path.join(folder, 'archive-index.png')}`);
} finally {
  await browser.close();
  backup.remove();
}
