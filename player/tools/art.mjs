// Picture recipes for the installed templates. Each recipe runs in the
// browser on a 2D canvas: (ctx, w, h, rnd, p) with a seeded random source
// and the recipe's parameters.
// SPDX-License-Identifier: GPL-3.0-or-later

export const ART = {
  stars(ctx, w, h, rnd, p) {
    const g = ctx.createLinearGradient(0, 0, 0, h);
    g.addColorStop(0, p.top || '#0B1026'); g.addColorStop(1, p.bottom || '#2B1B4A');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    for (let i = 0; i < 260; i++) {
      const r = rnd() * 1.6 + 0.3;
      ctx.globalAlpha = 0.35 + rnd() * 0.65;
      ctx.fillStyle = rnd() < 0.15 ? '#FFE9B0' : '#FFFFFF';
      ctx.beginPath(); ctx.arc(rnd() * w, rnd() * h, r, 0, 7); ctx.fill();
    }
    ctx.globalAlpha = 1;
    // The moon sits in the title band's corner, behind no text of the calendar.
    const mx = w * 0.15, my = h * 0.065, mr = h * 0.045;
    const mg = ctx.createRadialGradient(mx, my, mr * 0.2, mx, my, mr * 3);
    mg.addColorStop(0, 'rgba(255,244,214,0.45)'); mg.addColorStop(1, 'rgba(255,244,214,0)');
    ctx.fillStyle = mg; ctx.fillRect(0, 0, w, h);
    ctx.fillStyle = '#FFF4D6'; ctx.beginPath(); ctx.arc(mx, my, mr, 0, 7); ctx.fill();
    ctx.fillStyle = p.top || '#0B1026'; ctx.beginPath(); ctx.arc(mx + mr * 0.45, my - mr * 0.2, mr * 0.9, 0, 7); ctx.fill();
  },
  circles(ctx, w, h, rnd, p) {
    const g = ctx.createLinearGradient(0, 0, w, h);
    g.addColorStop(0, p.from); g.addColorStop(1, p.to);
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    for (let i = 0; i < 26; i++) {
      ctx.globalAlpha = 0.08 + rnd() * 0.18;
      ctx.fillStyle = p.dots[i % p.dots.length];
      ctx.beginPath(); ctx.arc(rnd() * w, rnd() * h, 20 + rnd() * h * 0.25, 0, 7); ctx.fill();
    }
    ctx.globalAlpha = 1;
  },
  snow(ctx, w, h, rnd, p) {
    const g = ctx.createLinearGradient(0, 0, 0, h);
    g.addColorStop(0, p.top || '#CFE6F7'); g.addColorStop(1, p.bottom || '#F4FAFF');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    ctx.strokeStyle = p.flake || '#FFFFFF'; ctx.lineCap = 'round';
    for (let i = 0; i < 70; i++) {
      const x = rnd() * w, y = rnd() * h, r = 4 + rnd() * 16;
      ctx.globalAlpha = 0.35 + rnd() * 0.5; ctx.lineWidth = r > 12 ? 2 : 1.2;
      for (let k = 0; k < 6; k++) {
        const a = k * Math.PI / 3, ex = x + Math.cos(a) * r, ey = y + Math.sin(a) * r;
        ctx.beginPath(); ctx.moveTo(x, y); ctx.lineTo(ex, ey); ctx.stroke();
        const bx = x + Math.cos(a) * r * 0.6, by = y + Math.sin(a) * r * 0.6;
        for (const s of [-0.6, 0.6]) {
          ctx.beginPath(); ctx.moveTo(bx, by);
          ctx.lineTo(bx + Math.cos(a + s) * r * 0.3, by + Math.sin(a + s) * r * 0.3); ctx.stroke();
        }
      }
    }
    ctx.globalAlpha = 1;
    ctx.fillStyle = 'rgba(255,255,255,0.85)';
    ctx.beginPath(); ctx.moveTo(0, h);
    for (let x = 0; x <= w; x += 20) ctx.lineTo(x, h * 0.9 - Math.sin(x / w * 6) * h * 0.03);
    ctx.lineTo(w, h); ctx.fill();
  },
  leaves(ctx, w, h, rnd, p) {
    const g = ctx.createLinearGradient(0, 0, 0, h);
    g.addColorStop(0, p.top || '#F6E3C4'); g.addColorStop(1, p.bottom || '#E7B98A');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    const colours = p.colours || ['#C0392B', '#D35400', '#E67E22', '#B9770E', '#8E4B1F'];
    for (let i = 0; i < 55; i++) {
      const x = rnd() * w, y = rnd() * h, s = 10 + rnd() * 26, a = rnd() * 6.3;
      ctx.save(); ctx.translate(x, y); ctx.rotate(a); ctx.globalAlpha = 0.45 + rnd() * 0.4;
      ctx.fillStyle = colours[i % colours.length];
      ctx.beginPath(); ctx.moveTo(0, -s);
      ctx.quadraticCurveTo(s * 0.8, -s * 0.2, 0, s); ctx.quadraticCurveTo(-s * 0.8, -s * 0.2, 0, -s); ctx.fill();
      ctx.strokeStyle = 'rgba(80,40,10,0.5)'; ctx.lineWidth = 1;
      ctx.beginPath(); ctx.moveTo(0, -s); ctx.lineTo(0, s * 1.25); ctx.stroke();
      ctx.restore();
    }
    ctx.globalAlpha = 1;
  },
  chalk(ctx, w, h, rnd) {
    ctx.fillStyle = '#2E4A3A'; ctx.fillRect(0, 0, w, h);
    for (let i = 0; i < 4000; i++) {
      ctx.fillStyle = `rgba(255,255,255,${rnd() * 0.05})`;
      ctx.fillRect(rnd() * w, rnd() * h, 2, 2);
    }
    ctx.strokeStyle = 'rgba(255,255,255,0.22)'; ctx.lineWidth = 2; ctx.font = `${h * 0.07}px serif`;
    ctx.fillStyle = 'rgba(255,255,255,0.18)';
    const doodles = ['a\u00B2 + b\u00B2 = c\u00B2', 'ABC', '1 2 3', '\u03C0 \u2248 3.14', 'H\u2082O', '7 \u00D7 8 = 56'];
    doodles.forEach((t, i) => ctx.fillText(t, (0.05 + (i % 3) * 0.33) * w, (0.2 + Math.floor(i / 3) * 0.55) * h + rnd() * 30));
    ctx.fillStyle = '#6B4A2B'; ctx.fillRect(0, h - 14, w, 14);
  },
  pitch(ctx, w, h) {
    for (let i = 0; i < 10; i++) { ctx.fillStyle = i % 2 ? '#2F8F3A' : '#37A043'; ctx.fillRect(i * w / 10, 0, w / 10 + 1, h); }
    ctx.strokeStyle = 'rgba(255,255,255,0.75)'; ctx.lineWidth = 4;
    ctx.strokeRect(20, 20, w - 40, h - 40);
    ctx.beginPath(); ctx.moveTo(w / 2, 20); ctx.lineTo(w / 2, h - 20); ctx.stroke();
    ctx.beginPath(); ctx.arc(w / 2, h / 2, h * 0.16, 0, 7); ctx.stroke();
    ctx.strokeRect(20, h * 0.3, w * 0.14, h * 0.4); ctx.strokeRect(w - 20 - w * 0.14, h * 0.3, w * 0.14, h * 0.4);
    ctx.fillStyle = '#FFFFFF'; ctx.beginPath(); ctx.arc(w / 2, h / 2, 5, 0, 7); ctx.fill();
  },
  waves(ctx, w, h, rnd, p) {
    const g = ctx.createLinearGradient(0, 0, 0, h);
    g.addColorStop(0, p.sky || '#BFE9FF'); g.addColorStop(0.45, p.sea || '#5BB6E0'); g.addColorStop(1, p.deep || '#145E8C');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    for (let k = 0; k < 7; k++) {
      const y0 = h * (0.42 + k * 0.085), amp = 6 + k * 2, len = 90 + k * 25, ph = rnd() * 6;
      ctx.fillStyle = `rgba(255,255,255,${0.07 + k * 0.015})`;
      ctx.beginPath(); ctx.moveTo(0, h);
      for (let x = 0; x <= w; x += 8) ctx.lineTo(x, y0 + Math.sin(x / len + ph) * amp);
      ctx.lineTo(w, h); ctx.fill();
    }
    ctx.fillStyle = 'rgba(255,250,220,0.9)'; ctx.beginPath(); ctx.arc(w * 0.15, h * 0.16, h * 0.07, 0, 7); ctx.fill();
  },
  bloom(ctx, w, h, rnd, p) {
    const g = ctx.createLinearGradient(0, 0, w, h);
    g.addColorStop(0, p.from || '#FDEFF4'); g.addColorStop(1, p.to || '#E8F6EC');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    const petals = p.petals || ['#F7A8C4', '#F6C6EA', '#FFD6A5', '#CDB4DB', '#FFAFCC'];
    for (let i = 0; i < 34; i++) {
      const x = rnd() * w, y = rnd() * h, r = 8 + rnd() * 22;
      ctx.globalAlpha = 0.45 + rnd() * 0.4; ctx.fillStyle = petals[i % petals.length];
      for (let k = 0; k < 5; k++) {
        const a = k * 2 * Math.PI / 5 + i;
        ctx.beginPath(); ctx.ellipse(x + Math.cos(a) * r * 0.6, y + Math.sin(a) * r * 0.6, r * 0.55, r * 0.32, a, 0, 7); ctx.fill();
      }
      ctx.fillStyle = '#FFE066'; ctx.beginPath(); ctx.arc(x, y, r * 0.22, 0, 7); ctx.fill();
    }
    ctx.globalAlpha = 1;
  },
  sunny(ctx, w, h, rnd, p) {
    const g = ctx.createRadialGradient(w * 0.8, h * 0.15, 10, w * 0.8, h * 0.15, w);
    g.addColorStop(0, p.inner || '#FFF3B0'); g.addColorStop(0.35, p.mid || '#FFD166'); g.addColorStop(1, p.outer || '#F4845F');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
    ctx.save(); ctx.translate(w * 0.8, h * 0.15);
    for (let k = 0; k < 24; k++) {
      ctx.rotate(Math.PI / 12); ctx.fillStyle = `rgba(255,255,255,${k % 2 ? 0.05 : 0.1})`;
      ctx.beginPath(); ctx.moveTo(0, 0); ctx.lineTo(w * 1.4, -w * 0.1); ctx.lineTo(w * 1.4, w * 0.1); ctx.fill();
    }
    ctx.restore();
    ctx.fillStyle = 'rgba(255,255,255,0.85)'; ctx.beginPath(); ctx.arc(w * 0.8, h * 0.15, h * 0.08, 0, 7); ctx.fill();
  },
  lines(ctx, w, h, rnd, p) {
    ctx.fillStyle = p.base || '#263238'; ctx.fillRect(0, 0, w, h);
    ctx.strokeStyle = p.line || 'rgba(255,255,255,0.05)'; ctx.lineWidth = 1;
    for (let x = -h; x < w; x += 14) { ctx.beginPath(); ctx.moveTo(x, h); ctx.lineTo(x + h, 0); ctx.stroke(); }
    const g = ctx.createLinearGradient(0, 0, 0, h);
    g.addColorStop(0, 'rgba(0,0,0,0)'); g.addColorStop(1, p.glow || 'rgba(0,150,136,0.35)');
    ctx.fillStyle = g; ctx.fillRect(0, 0, w, h);
  },
  pop(ctx, w, h, rnd, p) {
    ctx.fillStyle = p.base || '#FFF8E7'; ctx.fillRect(0, 0, w, h);
    const cols = p.colours || ['#FF595E', '#FFCA3A', '#8AC926', '#1982C4', '#6A4C93'];
    for (let i = 0; i < 40; i++) {
      const x = rnd() * w, y = rnd() * h, s = 10 + rnd() * 40;
      ctx.globalAlpha = 0.5; ctx.fillStyle = cols[i % cols.length]; ctx.strokeStyle = cols[(i + 2) % cols.length]; ctx.lineWidth = 4;
      const kind = i % 4;
      ctx.save(); ctx.translate(x, y); ctx.rotate(rnd() * 6.3);
      if (kind === 0) { ctx.beginPath(); ctx.arc(0, 0, s / 2, 0, 7); ctx.fill(); }
      else if (kind === 1) ctx.fillRect(-s / 2, -s / 2, s, s);
      else if (kind === 2) { ctx.beginPath(); ctx.moveTo(0, -s / 2); ctx.lineTo(s / 2, s / 2); ctx.lineTo(-s / 2, s / 2); ctx.fill(); }
      else { ctx.beginPath(); for (let x2 = -s; x2 <= s; x2 += 4) ctx.lineTo(x2, Math.sin(x2 / 5) * 5); ctx.stroke(); }
      ctx.restore();
    }
    ctx.globalAlpha = 1;
  },
  // Custom event icons (small PNG pictures).
  badge(ctx, w, h, rnd, p) {
    ctx.clearRect(0, 0, w, h);
    const c = w / 2;
    ctx.fillStyle = p.ribbon || '#C0392B';
    ctx.beginPath(); ctx.moveTo(c - 14, c); ctx.lineTo(c - 20, h - 2); ctx.lineTo(c - 8, h - 10); ctx.lineTo(c, h - 2); ctx.lineTo(c, c); ctx.fill();
    ctx.beginPath(); ctx.moveTo(c + 14, c); ctx.lineTo(c + 20, h - 2); ctx.lineTo(c + 8, h - 10); ctx.lineTo(c, h - 2); ctx.lineTo(c, c); ctx.fill();
    ctx.fillStyle = p.disc || '#F1C40F'; ctx.beginPath(); ctx.arc(c, c - 6, w * 0.34, 0, 7); ctx.fill();
    ctx.strokeStyle = 'rgba(0,0,0,0.25)'; ctx.lineWidth = 3; ctx.stroke();
    ctx.fillStyle = p.mark || '#FFFFFF'; ctx.font = `bold ${w * 0.36}px sans-serif`; ctx.textAlign = 'center'; ctx.textBaseline = 'middle';
    ctx.fillText(p.text || '\u2605', c, c - 5);
  },
};
