// Debian's Chromium, headless and kept off the network, with a profile of its own that is removed after.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

// Flags that keep the browser's own services (updates, sync, pings, QUIC probes) from reaching out.
const kOfflineFlags = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--disable-quic',
];

function chromiumOnPath() {
  for (const folder of (process.env.PATH ?? '').split(path.delimiter)) {
    const candidate = path.join(folder || '.', 'chromium');
    try {
      fs.accessSync(candidate, fs.constants.X_OK);
      return candidate;
    } catch {
      // not in this folder
    }
  }
  throw new Error('chromium is not on PATH (scripts/install-deps installs Debian\'s chromium)');
}

// Every request for anything but a local file fails and is remembered, so a test can say none was made.
export async function launchOfflineChromium() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'plimo-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumOnPath(),
    headless: true,
    args: kOfflineFlags,
    viewport: { width: 1000, height: 800 },
    timeout: 60_000,
  });
  context.setDefaultTimeout(20_000);
  const outsideRequests = [];
  await context.route(
    (url) => url.protocol !== 'file:',
    (route) => {
      outsideRequests.push(route.request().url());
      return route.abort('blockedbyclient');
    },
  );
  const scriptErrors = [];
  const page = context.pages()[0] ?? (await context.newPage());
  page.on('pageerror', (error) => scriptErrors.push(`${page.url()}: ${error.message}`));
  return {
    context,
    page,
    outsideRequests,
    scriptErrors,
    close: async () => {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}
