// The page's icons, drawn here rather than taken from anywhere: a slanted white K on the title
// bars' blue, speed lines behind it and a chequered line below, as PNG at each size asked for.
// The whole square is painted and the drawing keeps inside its middle 80 %, so a phone may cut
// the icon to a circle.
//   node icons.mjs OUT_DIR SIZE…   writes OUT_DIR/icon-SIZE.png
import { writeFileSync } from "node:fs";
import { deflateSync } from "node:zlib";

// The drawing on a 100 × 100 square: the colour at a point, or null for the background.
const Slant = 0.22;
const Scale = 0.8; // the drawing within the circle a phone may cut out
function paint(x, y) {
  // Chequered line, two rows of squares.
  if (y >= 74 && y < 84 && x >= 20 && x < 80) return (Math.floor((x - 20) / 5) + Math.floor((y - 74) / 5)) % 2 ? [20, 20, 20] : [255, 255, 255];
  const sx = x + (y - 46) * Slant; // leaning forward
  // Speed lines at the K's back.
  for (const [top, left] of [[28, 14], [40, 19], [52, 24]])
    if (y >= top && y < top + 4 && sx >= left && sx < 30) return [255, 176, 0];
  if (y < 22 || y >= 70) return null;
  if (sx >= 33 && sx < 45) return [255, 255, 255]; // the stem
  // The arm and the leg: strokes from the stem to the top and the bottom right.
  const stroke = (x0, y0, x1, y1, half) => {
    const dx = x1 - x0, dy = y1 - y0, len = Math.hypot(dx, dy);
    const along = ((sx - x0) * dx + (y - y0) * dy) / len, across = ((sx - x0) * dy - (y - y0) * dx) / len;
    return along >= 0 && along <= len + 20 && Math.abs(across) <= half;
  };
  if (sx >= 40 && (stroke(41, 52, 80, 16, 6.5) || stroke(48, 41, 82, 76, 6.5))) return [255, 255, 255];
  return null;
}

function background(y) { // the title bar's gradient, top to bottom
  const t = y / 100;
  return [10 + (58 - 10) * t, 36 + (110 - 36) * t, 106 + (165 - 106) * t];
}

function draw(size) {
  const samples = 4, pixels = Buffer.alloc(size * (size * 4 + 1));
  for (let py = 0; py < size; ++py) {
    const row = py * (size * 4 + 1);
    pixels[row] = 0; // no filter
    for (let px = 0; px < size; ++px) {
      const sum = [0, 0, 0];
      for (let i = 0; i < samples; ++i)
        for (let k = 0; k < samples; ++k) {
          const x = (px + (k + 0.5) / samples) * 100 / size, y = (py + (i + 0.5) / samples) * 100 / size;
          const c = paint(50 + (x - 50) / Scale, 50 + (y - 50) / Scale) || background(y);
          for (let j = 0; j < 3; ++j) sum[j] += c[j];
        }
      const at = row + 1 + px * 4;
      for (let j = 0; j < 3; ++j) pixels[at + j] = Math.round(sum[j] / (samples * samples));
      pixels[at + 3] = 255;
    }
  }
  return png(size, pixels);
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});
function crc32(bytes) {
  let c = 0xFFFFFFFF;
  for (const b of bytes) c = crcTable[(c ^ b) & 0xFF] ^ (c >>> 8);
  return (c ^ 0xFFFFFFFF) >>> 0;
}
function chunk(type, data) {
  const head = Buffer.alloc(8), tail = Buffer.alloc(4);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, "latin1");
  tail.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, tail]);
}
function png(size, pixels) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header.set([8, 6, 0, 0, 0], 8); // 8 bits, RGBA
  return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk("IHDR", header),
                        chunk("IDAT", deflateSync(pixels, { level: 9 })), chunk("IEND", Buffer.alloc(0))]);
}

const [out, ...sizes] = process.argv.slice(2);
if (!out || !sizes.length) {
  console.error("usage: node icons.mjs OUT_DIR SIZE…");
  process.exit(2);
}
for (const size of sizes) writeFileSync(`${out}/icon-${size}.png`, draw(Number(size)));
