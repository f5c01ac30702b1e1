// The WebAssembly step against the native one: the median of each side's
// per-turn medians (Google Benchmark JSON files native-N.json, wasm-N.json).
import {readdirSync, readFileSync} from 'node:fs';
import path from 'node:path';

const folder = process.argv[2];
const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
};
const times = {native: [], wasm: []};
for (const file of readdirSync(folder)) {
  const side = file.split('-')[0];
  const report = JSON.parse(readFileSync(path.join(folder, file), 'utf8'));
  for (const run of report.benchmarks)
    if (run.aggregate_name === 'median') times[side].push(run.real_time);
}
const native = median(times.native);
const wasm = median(times.wasm);
console.log(`step: WebAssembly ${wasm.toFixed(1)} us, native ${native.toFixed(1)} us: ` +
            `WebAssembly / native = ${(wasm / native).toFixed(3)} (median of ${times.wasm.length} turns each)`);
