#!/usr/bin/env python3
"""A stand-in for the search server on the loopback interface, serving as the
HTML views' proxy: answers every GET with a small result page naming the
request with a link meant for a new window and one to a download, and appends each requested address, exactly as received, to a log
file. Writes the port it listens on to a file once it is ready.

Usage: search-server.py LOG_FILE PORT_FILE
"""
import html
import http.server
import sys


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(sys.argv[1], "a", encoding="latin-1") as log:
            log.write(self.path + "\n")
        if self.path.endswith(".zip"):
            self.answer(b"PK", "application/zip", "attachment; filename=more.zip")
            return
        link = "<a %s href='%s' style='position:absolute;left:0;top:%dpx;width:300px;height:60px;background:#204010'>%s</a>"
        body = ("<html><body style='background:#102040;color:#ffffff;font:14px sans-serif'>"
                "<h1>Search results</h1><p>%s</p>%s%s</body></html>"
                % (html.escape(self.path), link % ("target='_blank'", "/more", 300, "More"),
                   link % ("", "/more.zip", 400, "Download"))).encode()
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
