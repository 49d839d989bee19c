#pragma once

// Points the host stand-in at the sample host data unless CORVO_HOST_HOME says otherwise,
// so that catalog lookups inside the readers find real entries.
void useSampleHostData();

// Releases every slave the stand-in slave plug-ins hold, so that inputs do not pile up
// slave objects across runs.
void resetSlavePlugins();
