// Tries the browser's program in headless Chromium, as a student would, for
// scripts/web-check.sh. Usage:
//   node web-check.mjs URL OUTPUT_FOLDER REFERENCE.csv REFERENCE_TABLE.txt
// URL is the page; the screenshots, the downloads and figures.txt go to OUTPUT_FOLDER;
// REFERENCE.csv holds the desktop program's samples of the run that is tried here (tool
// material 2 and workpiece material 4 of the lists, everything else as the program
// starts), REFERENCE_TABLE.txt its table of runs as "Kopiraj tabelu" copies it. Any error
// in the page's console fails the check.
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';
import { PNG } from 'pngjs';

const [url, out, referenceCsv, referenceTable] = process.argv.slice(2);
const chromium = process.env.BUSENJE_CHROMIUM || '/usr/bin/chromium';
const downloads = path.join(out, 'downloads');
fs.mkdirSync(downloads, { recursive: true });

const mainTitle = 'Odredjivanje otpora rezanja pri busenju i prosirivanju';
// Places in the main window's client area, in pixels, as the window lays them out.
const place = {
  proces: [36, 396], pauza: [100, 396], polaznoStanje: [68, 436], help: [100, 476],
  toolList: [116, 306], workList: [116, 338], toolListArrow: [215, 306],
  drillSizeDown: [176, 56], cuttingSpeedUp: [201, 181],
  scene: [232, 0, 369, 353], drill: [408, 5, 16, 50], chart: [232, 360, 369, 137],
};
const forceTrace = [255, 128, 128];
const momentTrace = [128, 255, 255];
// The kept run's traces: the same colours at 60 %.
const keptForce = [153, 77, 77];
const keptMoment = [77, 153, 153];

// The processor time the browser has used so far, its every process counted, in seconds
// (Linux counts it in hundredths of a second).
const cpuSeconds = (rootPid) => {
  const parent = new Map();
  const used = new Map();
  for (const entry of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = fs.readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parent.set(Number(entry), Number(fields[1]));
      used.set(Number(entry), Number(fields[11]) + Number(fields[12]));
    } catch {
      // The process has ended meanwhile.
    }
  }
  let total = 0;
  for (const [pid, ticks] of used) {
    for (let p = pid; p > 1; p = parent.get(p) ?? 0) {
      if (p === rootPid) {
        total += ticks;
        break;
      }
    }
  }
  return total / 100;
};

const errors = [];
const figures = [];
const step = (text) => console.log(`-- ${text}`);
const fail = (text) => { throw new Error(text); };
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

const browser = await puppeteer.launch({
  executablePath: chromium,
  headless: true,
  // A Serbian browser: the program writes decimal commas, as with a Serbian desktop.
  args: ['--no-sandbox', '--lang=sr-Latn-RS', '--accept-lang=sr-Latn-RS,sr', '--window-size=1024,768'],
  env: { ...process.env, LANGUAGE: 'sr-Latn-RS' },
});
let page;
try {
  page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  page.on('console', (message) => {
    console.log(`   console.${message.type()}: ${message.text()}`);
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  const cdp = await page.createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });

  // ---- Helpers ----

  // The program's windows: title, whether a modal box blocks them, and where their
  // client area stands in the page. Qt keeps them in a shadow tree of the page.
  const windows = () => page.evaluate(() => {
    const found = [];
    const walk = (root) => {
      for (const element of root.querySelectorAll('*')) {
        if (element.classList.contains('qt-window')) {
          const content = element.querySelector('.qt-window-content');
          const name = element.querySelector('.window-name');
          const box = content && content.getBoundingClientRect();
          found.push({
            title: name ? name.textContent : '',
            blocked: element.classList.contains('blocked'),
            visible: element.style.display !== 'none' && box && box.width > 0,
            x: box ? box.x : 0, y: box ? box.y : 0,
            width: box ? box.width : 0, height: box ? box.height : 0,
          });
        }
        if (element.shadowRoot) walk(element.shadowRoot);
      }
    };
    walk(document);
    return found.filter((w) => w.visible);
  });
  const windowTitled = async (title) => (await windows()).find((w) => w.title === title);
  const waitFor = async (what, condition, ms = 20000) => {
    const until = Date.now() + ms;
    for (;;) {
      const value = await condition();
      if (value) return value;
      if (Date.now() > until) fail(`${what}: not within ${ms / 1000} s`);
      await sleep(100);
    }
  };
  let main;
  const at = (where) => [main.x + where[0], main.y + where[1]];
  const click = async (where, options = {}) => page.mouse.click(...at(where), options);
  const shot = async (name) => {
    const file = path.join(out, `${name}.png`);
    await page.screenshot({ path: file });
    return PNG.sync.read(fs.readFileSync(file));
  };
  const grab = async () => PNG.sync.read(await page.screenshot());
  // The pixels of a rectangle of the main window's client area, as [r, g, b] triples.
  const pixels = (png, [x, y, width, height]) => {
    const list = [];
    for (let row = 0; row < height; ++row) {
      for (let column = 0; column < width; ++column) {
        const i = ((Math.round(main.y) + y + row) * png.width + Math.round(main.x) + x + column) * 4;
        list.push([png.data[i], png.data[i + 1], png.data[i + 2]]);
      }
    }
    return list;
  };
  const same = (a, b) => a.every((p, i) => p[0] === b[i][0] && p[1] === b[i][1] && p[2] === b[i][2]);
  const count = (list, colour) =>
    list.filter((p) => p[0] === colour[0] && p[1] === colour[1] && p[2] === colour[2]).length;
  // The drill's body is dark grey; where no drill is drawn the patch is white.
  const drillDrawn = (png) => {
    const patch = pixels(png, place.drill);
    const mean = patch.reduce((sum, p) => sum + p[0] + p[1] + p[2], 0) / (patch.length * 3 * 255);
    return mean < 0.6;
  };
  // "OK" stands in the middle of a box's bottom row.
  const clickOk = async (box) => page.mouse.click(box.x + box.width / 2, box.y + box.height - 22);
  const boxOpen = async (title) => {
    const all = await windows();
    const box = all.find((w) => w.title === title);
    const mainWindow = all.find((w) => w.title === mainTitle);
    return box && mainWindow && mainWindow.blocked ? box : undefined;
  };

  // ---- The page opens ----

  step(`opening ${url}`);
  const opened = Date.now();
  await page.goto(url);
  main = await waitFor('the main window', () => windowTitled(mainTitle));
  const firstShot = await waitFor('the drawn cross-section', async () => {
    const png = await grab();
    return drillDrawn(png) ? png : undefined;
  });
  const firstWindowMs = Date.now() - opened;
  figures.push(`first window drawn after ${firstWindowMs} ms`);
  step(`the main window at (${main.x}, ${main.y}), ${main.width} x ${main.height}, drawn after ${firstWindowMs} ms`);
  if (main.width !== 606 || main.height !== 502) fail(`the main window's client area is ${main.width} x ${main.height}`);
  if (!drillDrawn(firstShot)) fail('no drill in the cross-section');
  await shot('1-start');

  // ---- A refusal: "Proces" with no materials picked ----

  step('"Proces" with no materials: the refusal box, closed by Enter and by "OK"');
  await click(place.proces);
  const refusal = await waitFor('the refusal box', () => boxOpen('Warning'));
  await shot('2-refusal');
  await page.keyboard.press('Enter');
  await waitFor('the refusal box to close by Enter', async () => !(await windowTitled('Warning')));
  await click(place.proces);
  const again = await waitFor('the refusal box once more', () => boxOpen('Warning'));
  // The window beneath cannot be used while the box is open.
  await click(place.polaznoStanje);
  await clickOk(again);
  await waitFor('the refusal box to close by "OK"', async () => !(await windowTitled('Warning')));
  figures.push(`refusal box ${refusal.width} x ${refusal.height}`);

  // ---- The run that is compared with the desktop's ----

  step('picking tool material 2 and workpiece material 4');
  const pick = async (list, index) => {
    await click(list);
    await sleep(300);
    for (let i = 0; i <= index; ++i) await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
    await sleep(300);
  };
  await pick(place.toolList, 1);
  await pick(place.workList, 3);
  await shot('3-materials');

  step('"Proces": the drill sinks');
  await click(place.proces);
  const before = await grab();
  await sleep(1500);
  const during = await shot('4-running');
  if (same(pixels(before, place.scene), pixels(during, place.scene))) fail('the drill does not move');

  step('the run to its depth, both traces drawn');
  const cpuBefore = cpuSeconds(browser.process().pid);
  const wallBefore = Date.now();
  await sleep(8000);
  const share = (cpuSeconds(browser.process().pid) - cpuBefore) / ((Date.now() - wallBefore) / 1000);
  figures.push(`share of a core while the run goes on: ${Math.round(share * 100)} %`);
  let last = await grab();
  await waitFor('the end of the run', async () => {
    await sleep(700);
    const now = await grab();
    const still = same(pixels(last, place.scene), pixels(now, place.scene)) &&
      same(pixels(last, place.chart), pixels(now, place.chart));
    last = now;
    return still;
  }, 60000);
  const atDepth = await shot('5-at-depth');
  const chartPixels = pixels(atDepth, place.chart);
  if (count(chartPixels, forceTrace) < 20) fail('no force trace on the chart');
  if (count(chartPixels, momentTrace) < 20) fail('no moment trace on the chart');
  if (await windowTitled('Error')) fail('a box opened during the run');

  step('the samples from the chart\'s menu, downloaded');
  await click([place.chart[0] + 180, place.chart[1] + 60], { button: 'right' });
  await sleep(500);
  await shot('6-chart-menu');
  for (let i = 0; i < 4; ++i) await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Enter');
  const csvFile = path.join(downloads, 'oscilogram.csv');
  await waitFor('the downloaded oscilogram.csv', () => fs.existsSync(csvFile));
  const browserCsv = fs.readFileSync(csvFile, 'utf8');
  const desktopCsv = fs.readFileSync(referenceCsv, 'utf8');
  const browserLines = browserCsv.split('\n');
  const desktopLines = desktopCsv.split('\n');
  for (let i = 0; i < Math.max(browserLines.length, desktopLines.length); ++i) {
    if (browserLines[i] !== desktopLines[i]) {
      fail(`the CSV differs from the desktop's in line ${i + 1}: "${browserLines[i]}" against "${desktopLines[i]}"`);
    }
  }
  if (!browserCsv.includes(';') || !/\d,\d/.test(browserCsv)) fail('the CSV has no decimal commas');
  step(`the CSV equals the desktop's: ${browserLines.length - 1} lines`);

  // ---- The picture copied to the browser's clipboard ----

  step('the picture copied from the chart\'s menu, and a browser that refuses it');
  const origin = new URL(url).origin;
  await browser.defaultBrowserContext().overridePermissions(origin, ['clipboard-read', 'clipboard-write']);
  const openMenuAt = async (downs) => {
    await click([place.chart[0] + 180, place.chart[1] + 60], { button: 'right' });
    await sleep(500);
    for (let i = 0; i < downs; ++i) await page.keyboard.press('ArrowDown');
    await page.keyboard.press('Enter');
  };
  // Headless Chromium may refuse the page its clipboard even so (the page has no focus
  // of the desktop's); then the program must say so.
  await openMenuAt(5);
  const readClipboard = () => page.evaluate(async () => {
    try {
      for (const item of await navigator.clipboard.read()) {
        if (item.types.includes('image/png')) {
          const bytes = new Uint8Array(await (await item.getType('image/png')).arrayBuffer());
          return Array.from(bytes.subarray(16, 24));
        }
      }
    } catch {
      // Nothing there, or no leave to read it.
    }
    return undefined;
  });
  const outcome = await waitFor('the picture on the clipboard, or the box of a refused copy',
    async () => (await readClipboard()) ?? (await boxOpen('Busenje')));
  if (Array.isArray(outcome)) {
    const size = Buffer.from(outcome);
    const copiedSize = [size.readUInt32BE(0), size.readUInt32BE(4)];
    if (copiedSize[0] !== place.chart[2] || copiedSize[1] !== place.chart[3]) {
      fail(`the copied picture is ${copiedSize[0]} x ${copiedSize[1]} pixels`);
    }
    figures.push(`picture on the clipboard ${copiedSize[0]} x ${copiedSize[1]}`);
  } else {
    figures.push('the browser refused the clipboard; the program said so');
    await shot('6-copy-refused');
    await clickOk(outcome);
    await waitFor('that box to close', async () => !(await windowTitled('Busenje')));
  }

  // ---- The run kept for comparison ----

  step('the run kept on the chart from its menu');
  await openMenuAt(6);
  await sleep(500);

  // ---- A box over the running oscillogram ----

  step('a second run with a 5 mm drill over the kept one; a box while it runs');
  await click(place.polaznoStanje);
  for (let i = 0; i < 3; ++i) await click(place.drillSizeDown);
  await click(place.proces);
  await sleep(1000);
  // 31 m/min keeps the spindle below 2000 rev/min, 32 m/min does not.
  await click(place.cuttingSpeedUp);
  await sleep(200);
  await click(place.cuttingSpeedUp);
  const warning = await waitFor('the spindle speed warning', () => boxOpen('Warning'));
  const underBox = await grab();
  await click(place.pauza);
  await sleep(1500);
  const stillUnderBox = await shot('7-box-over-run');
  if (same(pixels(underBox, place.chart), pixels(stillUnderBox, place.chart))) {
    fail('the run stopped under the box');
  }
  const keptPixels = pixels(stillUnderBox, place.chart);
  if (count(keptPixels, keptForce) < 10 || count(keptPixels, keptMoment) < 10) {
    fail('the kept run is not drawn beneath the second run');
  }
  await clickOk(warning);
  await waitFor('the warning to close', async () => !(await windowTitled('Warning')));
  await click(place.pauza);

  // ---- The instructions window ----

  step('"Help": the instructions window');
  await click(place.help);
  const instructions = await waitFor('the instructions window', () => windowTitled('Instrukcije'));
  await sleep(500);
  await shot('8-instructions');
  figures.push(`instructions window ${instructions.width} x ${instructions.height}`);

  // ---- The table of runs ----

  step('the table of runs from the chart\'s menu, its last item');
  await click([place.chart[0] + 180, place.chart[1] + 60], { button: 'right' });
  await sleep(500);
  await page.keyboard.press('ArrowUp');
  await page.keyboard.press('Enter');
  const table = await waitFor('the table of runs', () => windowTitled('Tabela procesa'));
  await sleep(500);
  await shot('8b-run-table');
  figures.push(`table of runs ${table.width} x ${table.height}`);

  // Its one row, the run to the depth, copied and saved as the desktop's program gives
  // the same run. The buttons stand at the window's bottom left, "Kopiraj tabelu" first.
  step('the table copied and saved: the desktop\'s row of the same run');
  const desktopTable = fs.readFileSync(referenceTable, 'utf8').split('\n').filter((line) => line);
  if (desktopTable.length !== 2) fail(`the desktop's table has ${desktopTable.length} lines`);
  const tableButton = async (x) => page.mouse.click(table.x + x, table.y + table.height - 22);
  await tableButton(40);
  const readText = () => page.evaluate(async () => {
    try {
      return await navigator.clipboard.readText();
    } catch {
      return undefined;
    }
  });
  const copiedTable = await waitFor('the table on the clipboard, or the box of a refused copy',
    async () => (await readText()) || (await boxOpen('Busenje')));
  if (typeof copiedTable === 'string') {
    const lines = copiedTable.split('\n').filter((line) => line);
    if (lines.join('\n') !== desktopTable.join('\n')) {
      fail(`the copied table differs from the desktop's: "${lines.join(' / ')}"`);
    }
    figures.push('table of runs on the clipboard, as the desktop\'s');
  } else {
    figures.push('the browser refused the clipboard for the table; the program said so');
    await clickOk(copiedTable);
    await waitFor('that box to close', async () => !(await windowTitled('Busenje')));
  }
  await tableButton(175);
  const tableFile = path.join(downloads, 'procesi.csv');
  await waitFor('the downloaded procesi.csv', () => fs.existsSync(tableFile) && fs.statSync(tableFile).size > 0);
  const savedTable = fs.readFileSync(tableFile);
  if (!savedTable.subarray(0, 3).equals(Buffer.from([0xef, 0xbb, 0xbf]))) fail('procesi.csv has no byte order mark');
  const csvRows = savedTable.subarray(3).toString('utf8').split('\n').filter((line) => line);
  if (csvRows.length !== 2) fail(`procesi.csv has ${csvRows.length} lines`);
  if (csvRows[0] !== desktopTable[0].replaceAll('\t', ';')) fail(`procesi.csv's column names: ${csvRows[0]}`);
  // The file's numbers are whole; the copy's are rounded as the window shows them, with
  // points between thousands.
  const shown = desktopTable[1].split('\t');
  const cells = csvRows[1].split(';');
  if (cells.length !== shown.length) fail(`procesi.csv has ${cells.length} columns`);
  shown.forEach((text, i) => {
    if (!/^[\d.,]+$/.test(text)) {
      if (cells[i] !== text) fail(`procesi.csv has "${cells[i]}" in column ${i + 1}, the desktop "${text}"`);
      return;
    }
    const decimals = text.includes(',') ? text.length - text.indexOf(',') - 1 : 0;
    const number = (t) => Number(t.replaceAll('.', '').replace(',', '.'));
    if (Math.abs(number(cells[i]) - number(text)) > 0.5 * 10 ** -decimals + 1e-9) {
      fail(`procesi.csv has ${cells[i]} in column ${i + 1}, the desktop ${text}`);
    }
  });
  step(`procesi.csv holds the desktop's row: ${csvRows[1]}`);

  // ---- "Exit": the program ends, and the page says so ----

  step('"Exit": the page says that the program has ended');
  await click([36, 476]);
  await waitFor('the page\'s line after "Exit"', () => page.evaluate(() =>
    !document.getElementById('notice').hidden &&
    document.getElementById('status').textContent.startsWith('Program je završen')));

  // ---- A phone: the page fits its screen, and touch works ----

  step('a phone\'s screen (412 x 915 CSS pixels, 2.625 device pixels each), by touch');
  const phone = await browser.newPage();
  await phone.emulate({
    userAgent: await browser.userAgent(),
    viewport: { width: 412, height: 915, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true },
  });
  phone.on('pageerror', (error) => errors.push(String(error)));
  phone.on('console', (message) => {
    if (message.type() === 'error') errors.push(message.text());
  });
  page = phone;
  await phone.goto(url);
  main = await waitFor('the main window on the phone', () => windowTitled(mainTitle));
  const scale = main.width / 606;
  step(`the main window at (${main.x}, ${main.y}), ${main.width} x ${main.height} CSS pixels`);
  if (main.x < 0 || main.x + main.width > 412 || main.y < 0 || main.y + main.height > 915) {
    fail('the main window does not fit the phone\'s screen');
  }
  const tap = async (where) =>
    phone.touchscreen.tap(main.x + where[0] * scale, main.y + where[1] * scale);
  await sleep(1000);
  await phone.screenshot({ path: path.join(out, '9-phone.png') });
  // The arrows: the drill's diameter down by one size, which draws a thinner drill.
  const scene = [main.x + place.scene[0] * scale, main.y + place.scene[1] * scale,
    place.scene[2] * scale, place.scene[3] * scale].map(Math.round);
  const sceneShot = async () => phone.screenshot({ encoding: 'binary', clip: {
    x: scene[0], y: scene[1], width: scene[2], height: scene[3] } });
  const sceneBefore = await sceneShot();
  await tap(place.drillSizeDown);
  await sleep(500);
  if (Buffer.compare(sceneBefore, await sceneShot()) === 0) fail('a tap on the arrow changed nothing');
  // The lists: a tap opens one, a tap on a row a quarter down picks that material.
  const listClip = { x: main.x + 8 * scale, y: main.y + 296 * scale, width: 217 * scale, height: 21 * scale };
  const listBefore = await phone.screenshot({ encoding: 'binary', clip: listClip });
  const windowsBefore = (await windows()).length;
  await tap(place.toolListArrow);
  await waitFor('the list\'s rows', async () => (await windows()).length > windowsBefore);
  const rows = (await windows()).find((w) => w.title !== mainTitle);
  await phone.touchscreen.tap(rows.x + rows.width / 2, rows.y + rows.height / 4);
  await waitFor('the list to close', async () => (await windows()).length === windowsBefore);
  await sleep(300);
  if (Buffer.compare(listBefore, await phone.screenshot({ encoding: 'binary', clip: listClip })) === 0) {
    fail('a tap on the list\'s row picked nothing');
  }
  // The buttons: "Proces" without a workpiece material is refused.
  await tap(place.proces);
  const phoneBox = await waitFor('the refusal box on the phone', () => boxOpen('Warning'));
  await phone.screenshot({ path: path.join(out, '10-phone-box.png') });
  await phone.touchscreen.tap(phoneBox.x + phoneBox.width / 2, phoneBox.y + phoneBox.height - 22 * scale);
  await waitFor('the box to close by a tap', async () => !(await windowTitled('Warning')));

  // ---- What the browser downloaded ----

  const transferred = await page.evaluate(() => performance.getEntriesByType('resource')
    .map((r) => ({ name: r.name.split('/').pop(), size: r.transferSize, body: r.decodedBodySize })));
  for (const r of transferred) figures.push(`downloaded ${r.name}: ${r.body} bytes`);
} catch (error) {
  if (page) await page.screenshot({ path: path.join(out, 'failure.png') }).catch(() => {});
  throw error;
} finally {
  fs.writeFileSync(path.join(out, 'figures.txt'), figures.join('\n') + '\n');
  await browser.close();
}
if (errors.length > 0) {
  console.error(`errors in the page's console:\n  ${errors.join('\n  ')}`);
  process.exit(1);
}
console.log('web-check: the page passed');
