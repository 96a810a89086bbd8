#!/usr/bin/env python3
"""A stand-in for the search server on the loopback interface, serving as the
HTML views' proxy: answers every GET with a small result page naming the
request, with a link meant for a new window, one to a download and one to a
network share, and appends each requested address,
exactly as received, to a log file. The page is hostile too: its script opens
windows in a loop, follows links to a local file, a network share and a
program's own scheme meant for new windows, sends the page itself to another
program's scheme and starts a download, all without a click. A request for
"/remote-hostile?secret=PATH" gets a page that tries to read that local file
and the course's own files, and reports each try as a request for
"http://report.test/remote-NAME=RESULT"; "/tries.js" holds the tries. Writes the port it listens on to a
file once it is ready.

Usage: search-server.py LOG_FILE PORT_FILE
"""
import html
import http.server
import sys


HOSTILE_SCRIPT = """
setInterval(() => window.open('/popup'), 100);
function follow(address, attributes) {
  const link = Object.assign(document.createElement('a'), {href: address}, attributes);
  document.body.appendChild(link);
  link.click();
}
for (const address of ['file:///etc/passwd', 'smb://server/share', 'tovrelle-test://run/1'])
  follow(address, {target: '_blank'});
follow('/more.zip?by-script', {download: 'more.zip'});
setTimeout(() => { location.href = 'steam://run/1'; }, 300);
"""

# The tries of hostile pages: each reports itself as a request for
# "http://report.test/PREFIX NAME=RESULT", the prefix taken from the script
# element's data-prefix.
TRIES_SCRIPT = """
const reportPrefix = document.currentScript.dataset.prefix || '';
const report = (name, result) => { new Image().src = 'http://report.test/' + reportPrefix + name + '=' + result; };
function readable(name, address, expected) {
  const request = new XMLHttpRequest();
  request.onload = () => report(name, request.status === 200 && request.responseText.includes(expected) ? 'read' : 'blocked');
  request.onerror = () => report(name, 'blocked');
  try { request.open('GET', address); request.send(); } catch (e) { report(name, 'blocked'); }
}
function shown(name, address) {
  const picture = new Image();
  picture.onload = () => report(name, 'shown');
  picture.onerror = () => report(name, 'blocked');
  picture.src = address;
}
"""

# What a web page framed in a course page may try: every try must fail.
REMOTE_PAGE = """<html><body><script src="/tries.js" data-prefix="remote-"></script><script>
const secret = new URLSearchParams(location.search).get('secret');
readable('xhr-file', 'file://' + secret, 'SECRET');
readable('xhr-course', 'tovrelle://course/Sponsors/sp.dat', 'num');
fetch('file://' + secret).then(() => report('fetch-file', 'read'), () => report('fetch-file', 'blocked'));
shown('img-file', 'file://' + secret.replace(/txt$/, 'png'));
shown('img-course', 'tovrelle://course/Media/main_bk.jpg');
</script></body></html>"""


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(sys.argv[1], "a", encoding="latin-1") as log:
            log.write(self.path + "\n")
        if "/remote-hostile" in self.path:
            self.answer(REMOTE_PAGE.encode(), "text/html; charset=utf-8")
            return
        if self.path.endswith("/tries.js"):
            self.answer(TRIES_SCRIPT.encode(), "text/javascript")
            return
        if self.path.endswith(".zip"):
            self.answer(b"PK", "application/zip", "attachment; filename=more.zip")
            return
        link = "<a %s href='%s' style='position:absolute;left:0;top:%dpx;width:300px;height:60px;background:#204010'>%s</a>"
        body = ("<html><body style='background:#102040;color:#ffffff;font:14px sans-serif'>"
                "<h1>Search results</h1><p>%s</p>%s%s%s<script>%s</script></body></html>"
                % (html.escape(self.path), link % ("target='_blank'", "/more", 300, "More"),
                   link % ("", "/more.zip", 400, "Download"),
                   link % ("", "smb://server/share", 500, "Share"), HOSTILE_SCRIPT)).encode()
        self.answer(body, "text/html; charset=utf-8")

    def answer(self, body, content_type, disposition=None):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        if disposition:
            self.send_header("Content-Disposition", disposition)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[2], "w") as port_file:
    port_file.write(str(server.server_address[1]))
server.serve_forever()
