// The archive read later without the service: a backed-up blog opened from file:// in Chromium.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { launchOfflineChromium } from './offline_chromium.mjs';
import { backUpSimulatedBlog } from './simulated_backup.mjs';

const blog = { id: 'reader', password: 'offline', title: '오프라인으로 읽는 블로그' };
// Two list pages, so that the second is the last and its next link goes round to the first.
const shape = { pages: 2, 'posts-per-page': 3 };

let backup;
let browser;

function archiveUrl(relative) {
  return pathToFileURL(path.join(backup.archive, relative)).href;
}

// Read through the C library's code page 949, which has every character of the code page: Node's
// euc-kr decoder lacks the extended ones (똠 among them).
function savedText(relative) {
  return execFileSync('iconv', ['-f', 'CP949', '-t', 'UTF-8', path.join(backup.archive, relative)], {
    encoding: 'utf8',
  });
}

function collapsed(text) {
  return text.replace(/\s+/g, ' ').trim();
}

// The runs of text between tags that hold Hangul, as a reader of the saved bytes would expect to see them.
function koreanTexts(html) {
  return [...html.matchAll(/>([^<>]*[\uac00-\ud7a3][^<>]*)</g)]
    .map((match) => collapsed(match[1]))
    .filter((text) => !text.includes('&'));
}

async function open(relative) {
  await browser.page.goto(archiveUrl(relative), { waitUntil: 'load' });
}

// Each image with where it came from and whether it was decoded.
function imagesOf(frame) {
  return frame.evaluate(() =>
    [...document.images].map((image) => ({
      written: image.getAttribute('src'),
      loadedFrom: image.currentSrc,
      shown: image.complete && image.naturalWidth > 0,
    })),
  );
}

// A post of the first page whose comment and relay pages refer to nothing outside the archive. Emoticons
// that do not stand after a tab are left on the service by design; such a page would make a request.
function postWithLocalCommentPages() {
  const page = savedText('P1.html');
  for (const [, number, post] of page.matchAll(/onclick="sublayer\('1','(\d+)','(\d+)'\)/g)) {
    const pages = [`comment/R1${number}${post}.html`, `comment/R2${number}${post}.html`];
    const texts = pages.map((name) => (fs.existsSync(path.join(backup.archive, name)) ? savedText(name) : null));
    if (texts.some((text) => text === null || /src=["']?[a-z]+:/i.test(text))) continue;
    if (!texts[0].includes('../avicon/')) continue;
    return { number, post, commentPage: pages[0], relayPage: pages[1] };
  }
  throw new Error('no post on P1.html has comment pages without outside references and with an avicon');
}

before(
  async () => {
    backup = await backUpSimulatedBlog(blog, shape);
    browser = await launchOfflineChromium();
  },
  { timeout: 180_000 },
);

after(async () => {
  await browser?.close();
  backup?.remove();
});

test('the index page names the blog and leads to the first list page', async () => {
  await open('index.html');
  const link = browser.page.locator('a[href="P1.html"]');
  assert.equal(await link.textContent(), blog.title);
  await link.click();
  await browser.page.waitForURL(archiveUrl('P1.html'));
});

test('every image of the first two list pages is shown from a file of the archive', async () => {
  for (const listPage of ['P1.html', 'P2.html']) {
    await open(listPage);
    const images = await imagesOf(browser.page);
    assert.ok(images.length >= 8, `${listPage} shows ${images.length} images`);
    for (const image of images) {
      assert.ok(image.shown, `${listPage}: ${image.written} is not shown`);
      assert.ok(image.loadedFrom.startsWith(archiveUrl('images/')), `${listPage}: ${image.loadedFrom}`);
    }
    const saved = savedText(listPage);
    assert.ok(
      images.some((image) => saved.includes(`showImage('${image.written}'`)),
      `among the images of ${listPage} is one that the page's own script writes`,
    );
  }
});

test('the navigation links go from page to page, and past the last page round to the first', async () => {
  const { page } = browser;
  const visited = [];
  const remember = (frame) => frame === page.mainFrame() && visited.push(frame.url());
  page.on('framenavigated', remember);
  try {
    const next = () => page.getByRole('link', { name: '[다음페이지 ▶]' }).first();
    const previous = () => page.getByRole('link', { name: '[◀ 이전페이지]' }).first();
    await open('P1.html');
    await previous().click();
    await page.waitForURL(archiveUrl('P1.html'));
    await next().click();
    await page.waitForURL(archiveUrl('P2.html'));
    await previous().click();
    await page.waitForURL(archiveUrl('P1.html'));
    await next().click();
    await page.waitForURL(archiveUrl('P2.html'));
    visited.length = 0;
    await next().click();
    await page.waitForURL(archiveUrl('P1.html'));
    assert.deepEqual(visited, [archiveUrl('P3.html'), archiveUrl('P1.html')]);
  } finally {
    page.off('framenavigated', remember);
  }
});

test("a post's comment link shows its saved comment page, and its relay link the relay page", async () => {
  const { page } = browser;
  const { number, post, commentPage, relayPage } = postWithLocalCommentPages();
  await open('P1.html');
  const commentFrame = page.locator(`#CommentFrm${post}`);
  const relayFrame = page.locator(`#RewFrm${post}`);
  assert.ok(await commentFrame.isHidden());

  const showsSavedPage = async (name, savedPage) => {
    const frame = page.frame({ name });
    await frame.waitForURL(archiveUrl(savedPage));
    await frame.waitForLoadState('load');
    assert.equal(await frame.title(), '덧글 (P1)');
    const shown = collapsed(await frame.evaluate(() => document.body.textContent));
    const expected = koreanTexts(savedText(savedPage));
    assert.ok(expected.length > 0);
    for (const text of expected) assert.ok(shown.includes(text), `${savedPage} shows "${text}": ${shown}`);
    return imagesOf(frame);
  };

  await page.locator(`#Com${number}`).click();
  await commentFrame.waitFor({ state: 'visible' });
  assert.ok(await relayFrame.isHidden());
  const icons = (await showsSavedPage(`CommentFrm${post}`, commentPage)).filter((image) =>
    image.written.includes('avicon'),
  );
  assert.ok(icons.length > 0);
  for (const icon of icons) {
    assert.ok(icon.shown, `${icon.written} is not shown`);
    assert.ok(icon.loadedFrom.startsWith(archiveUrl('avicon/')), icon.loadedFrom);
  }

  await page.locator(`#Rew${number}`).click();
  await relayFrame.waitFor({ state: 'visible' });
  assert.ok(await commentFrame.isHidden());
  await showsSavedPage(`RewFrm${post}`, relayPage);
});

test('Korean titles and comments read as written', async () => {
  const { page } = browser;
  await open('P1.html');
  assert.equal(await page.evaluate(() => document.characterSet), 'EUC-KR');
  const savedTitle = savedText('P1.html').match(/^<TITLE>(.*?)<\/TITLE>/s)[1];
  assert.match(savedTitle, /[\uac00-\ud7a3]/);
  assert.equal(await page.title(), savedTitle);
  const postTitles = await page.evaluate(() =>
    [...document.querySelectorAll('.itemSubjectBoldfont')].map((title) => `${title.textContent}/`).join(''),
  );
  assert.equal(postTitles, savedTitle);

  // A comment page as the comment step writes it, checked byte for byte by its own test: Hanja and two
  // names give a browser too little Hangul to guess the code page from.
  const hanja = path.join(process.env.PLIMO_TEST_DATA, 'comment_pages/hanja_comments/expected/R12512.html');
  await page.goto(pathToFileURL(hanja).href);
  assert.equal(await page.title(), '덧글 (P1)');
  const shown = collapsed(await page.evaluate(() => document.body.innerText));
  for (const text of ['선비', '學而時習之 不亦說乎', '有朋自遠方來 不亦樂乎', '[원본글]'])
    assert.ok(shown.includes(text), `"${text}" in ${shown}`);
});

test('paper.css is applied, and all of it is kept but the borders written without unit and hash', async () => {
  const { page } = browser;
  await open('P1.html');
  const style = await page.evaluate(() => {
    const body = getComputedStyle(document.body);
    const title = getComputedStyle(document.querySelector('.itemSubjectBoldfont'));
    return { font: body.fontFamily, size: body.fontSize, color: body.color, titleWeight: title.fontWeight };
  });
  assert.deepEqual(style, {
    font: '돋움, 굴림, seoul, verdana, arial',
    size: '12px',
    color: 'rgb(64, 64, 64)',
    titleWeight: '700',
  });

  // A file:// sheet's rules cannot be read from its page; the same text in a page of the same
  // (quirks) mode shows what the parser keeps.
  const sheet = savedText('paper.css');
  await page.setContent(`<style>${sheet}</style>`);
  const dropped = await page.evaluate((source) => {
    const rules = [...source.replace(/\/\*.*?\*\//gs, '').matchAll(/([^{}]+)\{([^}]*)\}/g)];
    const parsed = document.styleSheets[0].cssRules;
    if (parsed.length !== rules.length) return [`${parsed.length} of ${rules.length} rules kept`];
    const lost = [];
    rules.forEach(([, selector, body], index) => {
      for (const declaration of body.split(';').map((item) => item.trim()).filter(Boolean)) {
        const property = declaration.slice(0, declaration.indexOf(':')).trim();
        const longhands = [...parsed[index].style];
        if (!longhands.some((name) => name === property || name.startsWith(`${property}-`)))
          lost.push(`${selector.trim()} { ${declaration} }`);
      }
    });
    return lost;
  }, sheet);
  assert.deepEqual(dropped, [
    '.box { border:1 solid C4CAD1 }',
    '.s_box { border:1 solid C4CAD1 }',
    '.ubox { border:1 solid C4CAD1 }',
    '.tbox { border:1 solid C4CAD1 }',
    '.fbox { border:1 solid DBD7CD }',
  ]);
});

test('no request left file://, and no script of the pages failed', () => {
  assert.deepEqual(browser.outsideRequests, []);
  assert.deepEqual(browser.scriptErrors, []);
});
