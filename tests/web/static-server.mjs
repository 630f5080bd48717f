// A static file server for the page tests, on 127.0.0.1 at a free port.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";

const kTypes = {
  ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
  ".json": "application/json", ".wasm": "application/wasm", ".db": "application/octet-stream",
};

// Serves `folder`; resolves to { url, close }.
export function serveFolder(folder) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname));
    const file = join(folder, path.endsWith("/") ? path + "index.html" : path);
    try {
      const body = await readFile(file);
      response.writeHead(200, { "Content-Type": kTypes[extname(file)] || "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => {
    server.listen(0, "127.0.0.1", () => resolve({
      url: `http://127.0.0.1:${server.address().port}/`,
      close: () => new Promise((done) => { server.closeAllConnections?.(); server.close(done); }),
    }));
  });
}
