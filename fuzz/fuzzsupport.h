#pragma once

// Prepares a fuzz target: points the host stand-in at the sample host data unless
// CORVO_HOST_HOME says otherwise, so that catalog lookups inside the readers find real
// entries, and silences Qt's debug, info and warning messages, so that the output holds
// the fuzzer's findings only (critical and fatal messages still pass).
void prepareFuzzing();

// Releases every slave the stand-in slave plug-ins hold, so that inputs do not pile up
// slave objects across runs.
void resetSlavePlugins();
