// The stream threads that run, known to the sound layer as a whole so that they can all be ended
// when the process exits.
#pragma once

class KSound;

void NoteStreamThreadStarted(KSound* sound);
void NoteStreamThreadStopped(KSound* sound);
// Stops the thread of every sound that has one running, from the caller's thread.
void StopEveryStreamThread();
