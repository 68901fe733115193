// What a writer does on the page, as the suites do it: choose, play, search, use the menus, read back.
import { basename } from 'node:path';

export const sourceText = (page) => page.evaluate(() => plinvaro.sourceBox.text());
export const statusText = (page) => page.$eval('#status', (s) => s.textContent);
export const composition = async (page) => Buffer.from(await page.evaluate(() => [...plinvaro.face.sourceBytes()]));

export async function fastest(page) {
  await page.$eval('aria/Speed', (slider) => {
    slider.value = '100';
    slider.dispatchEvent(new Event('input'));
  });
}

// `choice`: a folder's path, or its files' paths where the browser takes no folder.
export async function chooseFolder(page, ...choice) {
  const input = await page.$('#baseDir');
  await input.uploadFile(...choice);
  await page.waitForFunction(() => document.getElementById('status').textContent.includes('files read'));
}

export async function openBase(page, file) {
  const input = await page.$('#openFile');
  await input.uploadFile(file);
  await page.waitForFunction((name) => document.title.endsWith(name), {}, basename(file));
}

// Plays until the composition stops growing for a while.
export async function playToRest(page, restMs = 800) {
  let last = -1;
  for (;;) {
    const now = (await sourceText(page)).length;
    if (now === last) return;
    last = now;
    await new Promise((r) => setTimeout(r, restMs));
  }
}

// Opens the menu `title` and clicks its `item` (a check item too); `item` null leaves it open.
export async function menu(page, title, item) {
  await page.click(`aria/${title}[role="button"]`);
  if (item) await page.click(`#menubar .menu.open ::-p-aria(${JSON.stringify(item)})`);
}

export const saveAs = (page) => menu(page, 'File', 'Save as...');

export async function waitForWords(page, count) {
  await page.waitForFunction((n) => plinvaro.sourceBox.text().split(' ').length > n, {}, count);
}

export async function waitForOutcome(page) {
  await page.waitForFunction(() => / parts? in |no match/.test(document.getElementById('status').textContent));
  return statusText(page);
}
