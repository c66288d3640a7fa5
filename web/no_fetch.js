// The page reaches nothing outside itself: its Content-Security-Policy forbids every
// connection. With fetch in scope, the loader would first try to fetch the module from its
// own embedded data: URL, which the policy blocks and the browser reports as a violation.
// Without fetch, the loader decodes the embedded module directly.
var fetch;
