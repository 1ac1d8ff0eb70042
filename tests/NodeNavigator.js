// Under Node there is no browser: Qt for WebAssembly reads the user's languages from the
// browser's navigator, which Node lacks. An empty list gives the C locale, as the desktop's
// tests have it without a language set.
if (typeof navigator === 'undefined' || !Array.isArray(navigator.languages)) {
  Object.defineProperty(globalThis, 'navigator', { value: { languages: [] }, configurable: true });
}
