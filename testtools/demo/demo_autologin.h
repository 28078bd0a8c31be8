#pragma once

// The demo's auto-login round trip; true when it went as expected.
bool showAutoLoginRoundTrip();
