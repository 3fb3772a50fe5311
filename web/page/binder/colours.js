// Colours as the page draws them: the game's 0xRRGGBB, and a text's colour kept readable on its
// background.
export function cssColor(rgb) {
  return "#" + (rgb & 0xFFFFFF).toString(16).padStart(6, "0");
}

export function textOf(text) { return (text || "").replace(/\r\n/g, "\n"); }

// A label's text colour as the form gives it, made just as much darker (or lighter) as reading it
// against its background needs: WCAG's 4.5 to 1, 3 to 1 for large text.
let windowBack = null;
export function readable(c) {
  if (windowBack === null) windowBack = rgbOf(getComputedStyle(document.body).backgroundColor);
  const back = c.back !== undefined ? c.back & 0xFFFFFF : windowBack;
  const points = c.font || 9.75; // the page's 13 px
  const need = (points >= 18 || (points >= 14 && (c.bold || c.highlight)) ? 3 : 4.5) + 0.1;
  const toward = luminance(back) > 0.18 ? 0x000000 : 0xFFFFFF;
  let colour = c.color & 0xFFFFFF;
  for (let t = 0.1; contrast(colour, back) < need && t <= 1.001; t += 0.1) colour = mix(c.color & 0xFFFFFF, toward, t);
  return colour;
}
function rgbOf(css) {
  const m = /rgba?\((\d+), (\d+), (\d+)/.exec(css);
  return m ? (+m[1] << 16) | (+m[2] << 8) | +m[3] : 0xFFFFFF;
}
function luminance(rgb) {
  const [r, g, b] = [16, 8, 0].map(shift => {
    const v = ((rgb >> shift) & 255) / 255;
    return v <= 0.03928 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4;
  });
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}
function contrast(a, b) {
  const x = luminance(a), y = luminance(b);
  return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
}
function mix(a, b, t) {
  return [16, 8, 0].reduce((out, shift) => out | (Math.round(((a >> shift) & 255) * (1 - t) + ((b >> shift) & 255) * t) << shift), 0);
}
