// The player as the designer's build ships it in every template (cmake/ShipPlayer.cmake: the
// comments taken out), made in a temporary folder for the tests and the benchmark.
// SPDX-License-Identifier: GPL-3.0-or-later
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';

const PLAYER_DIR = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');

// Returns the folder holding the shipped calendar.js and calendar.css; removed at exit.
export function shippedPlayer() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'qv-shipped-'));
  execFileSync('cmake', [`-DPLAYER_DIR=${PLAYER_DIR}`, `-DOUT_DIR=${dir}`, '-P',
    path.join(PLAYER_DIR, '..', 'cmake', 'ShipPlayer.cmake')], { stdio: ['ignore', 'ignore', 'inherit'] });
  process.on('exit', () => fs.rmSync(dir, { recursive: true, force: true }));
  return dir;
}
