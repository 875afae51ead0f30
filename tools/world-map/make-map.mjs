// Renders the plug-in's world map: 630 x 315 pixels, 24-bit BMP, equirectangular
// (longitude -180 at the left edge, +180 at the right; latitude +90 at the top, -90 at the
// bottom), land and sea in two calm colours with a faint 30-degree graticule.
//
// Source: Natural Earth land polygons (public domain) as shipped by the npm package
// world-atlas (land-50m.json, TopoJSON). Usage: node make-map.mjs OUTPUT.bmp
import fs from "node:fs";
import { createRequire } from "node:module";
import { feature } from "topojson-client";

const require = createRequire(import.meta.url);
const WIDTH = 630;
const HEIGHT = 315;
const SUPERSAMPLE = 4; // sub-pixels per pixel along each axis, for smooth coasts

const SEA = [189, 212, 228];       // r, g, b
const LAND = [226, 222, 200];
const GRATICULE = [160, 178, 190];
const GRATICULE_ON_LAND = [200, 196, 176];

const topology = require("world-atlas/land-50m.json");
const land = feature(topology, topology.objects.land);

// Every ring of every polygon, in map sub-pixel coordinates. A ring that crosses the
// antimeridian is unwrapped into continuous longitudes and drawn at -360, 0 and +360
// degrees; a ring that goes round a pole (Antarctica) is closed along the map's edge.
const rings = [];
const W = WIDTH * SUPERSAMPLE, H = HEIGHT * SUPERSAMPLE;
const toX = (lng) => ((lng + 180) / 360) * W;
const toY = (lat) => ((90 - lat) / 180) * H;
for (const f of land.features) {
  const polys = f.geometry.type === "Polygon" ? [f.geometry.coordinates] : f.geometry.coordinates;
  for (const poly of polys) {
    for (const ring of poly) {
      const pts = [];
      let shift = 0;
      for (let i = 0; i < ring.length; ++i) {
        const [lng, lat] = ring[i];
        if (i > 0) {
          const d = lng - ring[i - 1][0];
          if (d > 180) shift -= 360;
          else if (d < -180) shift += 360;
        }
        pts.push([lng + shift, lat]);
      }
      if (Math.abs(shift) >= 180) {
        // Round a pole: run along the nearer pole back to the start.
        const poleLat = pts.reduce((s, p) => s + p[1], 0) / pts.length < 0 ? -90 : 90;
        const last = pts[pts.length - 1];
        pts.push([last[0], poleLat], [pts[0][0], poleLat]);
      }
      for (const offset of [-360, 0, 360]) rings.push(pts.map(([lng, lat]) => [toX(lng + offset), toY(lat)]));
    }
  }
}

// Even-odd scanline fill of all rings into a coverage grid.
const covered = new Uint8Array(W * H);
for (let sy = 0; sy < H; ++sy) {
  const y = sy + 0.5;
  const xs = [];
  for (const ring of rings) {
    for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
      const [x1, y1] = ring[j], [x2, y2] = ring[i];
      if ((y1 <= y && y < y2) || (y2 <= y && y < y1)) xs.push(x1 + ((y - y1) / (y2 - y1)) * (x2 - x1));
    }
  }
  xs.sort((a, b) => a - b);
  for (let k = 0; k + 1 < xs.length; k += 2) {
    const from = Math.max(0, Math.ceil(xs[k] - 0.5)), to = Math.min(W - 1, Math.floor(xs[k + 1] - 0.5));
    for (let sx = from; sx <= to; ++sx) covered[sy * W + sx] = 1;
  }
}

const mix = (a, b, t) => a.map((v, i) => Math.round(v * (1 - t) + b[i] * t));
// Graticule lines every 30 degrees, on the pixels the plug-in's projection gives them
// (x = (lng / 180 + 1) * 315, y = 158 - lat / 90 * 158, truncated).
const meridianColumns = new Set();
for (let lng = -150; lng <= 150; lng += 30) meridianColumns.add(Math.trunc((lng / 180 + 1) * 315));
const parallelRows = new Set();
for (let lat = -60; lat <= 60; lat += 30) parallelRows.add(Math.trunc(158 - (lat / 90) * 158));
const graticule = (px, py) => meridianColumns.has(px) || parallelRows.has(py);

// BMP: 54-byte header, rows bottom-up, BGR, each row padded to 4 bytes.
const rowSize = Math.ceil((WIDTH * 3) / 4) * 4;
const buf = Buffer.alloc(54 + rowSize * HEIGHT);
buf.write("BM", 0);
buf.writeUInt32LE(buf.length, 2);
buf.writeUInt32LE(54, 10);
buf.writeUInt32LE(40, 14);
buf.writeInt32LE(WIDTH, 18);
buf.writeInt32LE(HEIGHT, 22);
buf.writeUInt16LE(1, 26);
buf.writeUInt16LE(24, 28);
buf.writeUInt32LE(rowSize * HEIGHT, 34);
buf.writeInt32LE(2835, 38);
buf.writeInt32LE(2835, 42);
for (let py = 0; py < HEIGHT; ++py) {
  for (let px = 0; px < WIDTH; ++px) {
    let n = 0;
    for (let dy = 0; dy < SUPERSAMPLE; ++dy)
      for (let dx = 0; dx < SUPERSAMPLE; ++dx) n += covered[(py * SUPERSAMPLE + dy) * W + px * SUPERSAMPLE + dx];
    const t = n / (SUPERSAMPLE * SUPERSAMPLE);
    let c = mix(SEA, LAND, t);
    if (graticule(px, py)) c = mix(GRATICULE, GRATICULE_ON_LAND, t);
    const o = 54 + (HEIGHT - 1 - py) * rowSize + px * 3;
    buf[o] = c[2];
    buf[o + 1] = c[1];
    buf[o + 2] = c[0];
  }
}
fs.writeFileSync(process.argv[2] ?? "world_map.bmp", buf);
console.log(`wrote ${process.argv[2] ?? "world_map.bmp"}: ${WIDTH} x ${HEIGHT}, 24-bit`);
