// ESLint's recommended rules over the web page's scripts and its browser test, with the
// globals each file has where it runs. Run from the top of the tree (make lint).
import js from "@eslint/js";
import globals from "globals";

export default [
  js.configs.recommended,
  {
    // The page's scripts, one classic script in the page once built; the names they share
    // across files are declared in the files themselves.
    files: ["web/*.js"],
    ignores: ["web/no_fetch.js"],
    languageOptions: { sourceType: "script", globals: globals.browser },
  },
  {
    // Put by Emscripten inside the module's loader, whose browser's fetch it hides.
    files: ["web/no_fetch.js"],
    languageOptions: { sourceType: "script" },
    rules: { "no-unused-vars": ["error", { vars: "local" }] },
  },
  {
    // Node scripts that hand functions to the browser to run in the page.
    files: ["tests/browser/*.mjs", "bench/*.mjs"],
    languageOptions: { sourceType: "module", globals: { ...globals.node, ...globals.browser } },
  },
];
