// The page's settings in the browser's storage for it: speed, font size, On The Fly Mode, the steering options and the weights (the core's entry texts), kept at each change.
const kKey = 'plinvaro.settings';

export function loadSettings() {
  try {
    const value = JSON.parse(localStorage.getItem(kKey) ?? '{}');
    return value && typeof value === 'object' ? value : {};
  } catch {
    return {};
  }
}

export function saveSettings(settings) {
  try {
    localStorage.setItem(kKey, JSON.stringify(settings));
  } catch {
    // Storage refused (private mode, full): the settings last this visit only.
  }
}
