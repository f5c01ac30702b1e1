#!/usr/bin/env bash
# A browser engine that cannot start fails the browser tests with the
# engine's name and the reason; it is never skipped. Each case runs the
# every-engine suite against a fault and expects a failure and its message.
# Usage: web_engine_faults_test.sh ROOT (the environment of test-web.sh)
set -uo pipefail
root=$1
source "$root/tests/shell_checks.sh"

# expect_suite_failure WHAT MESSAGE ENV...: the suite under the given
# environment fails, and says MESSAGE.
expect_suite_failure() {
  local what=$1 message=$2
  shift 2
  local output
  output=$(env "$@" node --test --test-reporter=tap "$root/tests/web/engines.test.mjs" 2>&1)
  local code=$?
  if [ $code -eq 0 ]; then
    failed "$what: the suite passed"
  elif ! grep -qF -- "$message" <<<"$output"; then
    failed "$what: no \"$message\" in what the suite said:"
    echo "$output" | grep -m5 -i error
  else
    passed "$what: fails with \"$message\""
  fi
}

expect_suite_failure "WebKit without a display" "WebKit: starting a MiniBrowser session took longer than 10 s" \
  -u DISPLAY ENGINE=webkit WEBKIT_SESSION_SECONDS=10
expect_suite_failure "WebKit without its WebDriver" "WebKit: /nonexistent/WebKitWebDriver did not start" \
  ENGINE=webkit WEBKIT_WEBDRIVER=/nonexistent/WebKitWebDriver
expect_suite_failure "Firefox not installed" "Firefox: /nonexistent/firefox-esr is not there (Debian package firefox-esr)" \
  ENGINE=firefox FIREFOX=/nonexistent/firefox-esr
expect_suite_failure "an engine with no such name" "no engine called 'netscape'" ENGINE=netscape
finish
