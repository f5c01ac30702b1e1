// A link is a state: the address's fragment is a key script, which the
// program plays before the page goes live, in slices that are tasks of their
// own, back to back: between two slices the browser draws a frame when one
// is due and answers a click, and the replay has the rest of the time, so it
// plays at nearly the program's own pace. Its progress shows over the
// canvas, a few times a second, with a button that goes on live from where
// it is.
import {announce, holdAnnouncements} from './announcer.js';
import {callProgram, isRunning, onProgramEnd, setFrameTask} from './program.js';
import {describeScene} from './scene_description.js';
import {showStatus} from './status.js';

// A slice takes this long at most, so that the page answers a click and
// draws its frames on time.
const REPLAY_SLICE_MS = 10;
// The next slice, posted as a task: unlike a timer it waits for nothing,
// and unlike an animation frame it does not wait for the next frame.
const slices = new MessageChannel();

const panel = document.getElementById('replay');
const progressBar = document.getElementById('replay-progress');
const progressText = document.getElementById('replay-text');
const stopButton = document.getElementById('replay-stop');

let replaying = false;
let replayStarted = 0;
let inputRefusedSaid = false;

// The link's script; null if the fragment is not valid percent-encoding.
export function linkScript() {
  try {
    return decodeURIComponent(location.hash.slice(1));
  } catch (error) {
    return null;
  }
}

// Hands the script to the program and starts playing it; returns the
// program's reason for refusing it, or an empty text.
export function playLink(script) {
  const refusal = callProgram(() => Module.ccall('vantrelleLoadScript', 'string', ['string'], [script]));
  if (!refusal && Module._vantrelleReplayTokensTotal() > 0) startReplay();
  return refusal;
}

export const isReplaying = () => replaying;

// Keys, buttons and the pointer wait for no replay: they are dropped, and
// the page says so once. True if the input is to be dropped.
export function refusedDuringReplay() {
  if (!replaying) return false;
  if (!inputRefusedSaid) {
    inputRefusedSaid = true;
    showStatus('The link is still playing: keys and clicks are ignored until it ends, ' +
               'or until "go on live" stops it where it is.', true);
  }
  return true;
}

function startReplay() {
  performance.mark('vantrelle-replay-start');
  replaying = true;
  replayStarted = performance.now();
  inputRefusedSaid = false;
  panel.hidden = false;
  holdAnnouncements(true);
  setFrameTask(showProgressNowAndThen);
  showProgress();
  slices.port2.postMessage(null);
}

// outcome: what a screen reader is told of it, if anything.
function endReplay(outcome = '') {
  if (replaying) performance.mark('vantrelle-replay-end');
  replaying = false;
  panel.hidden = true;
  setFrameTask(null);
  holdAnnouncements(false);
  if (outcome) announce(outcome);
  describeScene();
}

function stepsPlayed() {
  const done = Module._vantrelleReplayStepsDone();
  const total = Module._vantrelleReplayStepsTotal();
  return total > 0 ? `${done.toLocaleString('en')} of ${total.toLocaleString('en')} steps`
                   : `${Module._vantrelleReplayTokensDone()} of ${Module._vantrelleReplayTokensTotal()} keys`;
}

function playSlice() {
  if (!replaying) return;  // stopped, or the program ended, since it was posted
  const more = callProgram(() => Module._vantrellePlayFor(REPLAY_SLICE_MS));
  if (!more) endReplay(isRunning() ? `The link has played: ${stepsPlayed()}.` : '');
  else slices.port2.postMessage(null);
}
slices.port1.onmessage = playSlice;

// A frame with nothing changed costs the browser next to nothing; one with
// new text costs a layout, a paint and a composite, time the replay could
// use. A few updates a second tell the progress as well.
const PROGRESS_SHOWN_EVERY_MS = 250;
let progressShownAt = 0;
function showProgressNowAndThen() {
  if (performance.now() - progressShownAt >= PROGRESS_SHOWN_EVERY_MS) showProgress();
}

function showProgress() {
  progressShownAt = performance.now();
  const stepsDone = Module._vantrelleReplayStepsDone();
  const stepsTotal = Module._vantrelleReplayStepsTotal();
  const tokensDone = Module._vantrelleReplayTokensDone();
  const tokensTotal = Module._vantrelleReplayTokensTotal();
  const progress = stepsTotal > 0 ? stepsDone / stepsTotal : tokensDone / Math.max(1, tokensTotal);
  progressBar.value = progress;
  const elapsed = (performance.now() - replayStarted) / 1000;
  let text = stepsTotal > 0 ? `Playing the link: step ${stepsDone.toLocaleString('en')} of ` +
    stepsTotal.toLocaleString('en') : `Playing the link: ${tokensDone} of ${tokensTotal} keys`;
  if (progress > 0 && elapsed > 0.5) text += `, about ${Math.ceil(elapsed / progress - elapsed)} s left`;
  progressText.textContent = text;
}

stopButton.addEventListener('click', () => {
  if (!replaying) return;
  const played = stepsPlayed();  // stopping drops the script's tokens
  callProgram(() => Module._vantrelleStopReplay());
  endReplay(`The link stopped after ${played}; live from here.`);
  showStatus('');
});
onProgramEnd(() => endReplay());
// A new link typed into the same tab is a new state: start again from it.
window.addEventListener('hashchange', () => location.reload());
