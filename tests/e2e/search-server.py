#!/usr/bin/env python3
"""A stand-in for the search server on the loopback interface, serving as the
HTML views' proxy: answers every GET with a small result page naming the
request, and appends each requested address, exactly as received, to a log
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
        body = ("<html><body style='background:#102040;color:#ffffff;font:14px sans-serif'>"
                "<h1>Search results</h1><p>%s</p></body></html>" % html.escape(self.path)).encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[2], "w") as port_file:
    port_file.write(str(server.server_address[1]))
server.serve_forever()
