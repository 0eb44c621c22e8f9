#include "GlobalResources.h"

KWindow* g_window = nullptr;
ResourceSet g_resources;

void LoadGlobalResources() {
  g_resources.AddImage("img\\bg\\nivra_hills1.jpg", false);
  g_resources.AddImage("img\\spr\\plasko.png", true);
  g_resources.AddSound("snd\\sfx\\ball_paddle.wav");
  g_resources.AddSound("snd\\sfx\\present_paddle.ogg");
  g_resources.AddSound("snd\\sfx\\ball_brick.wav");
  g_resources.AddSound("snd\\sfx\\snowball_paddle.wav");
  g_resources.AddSound("snd\\sfx\\chimney_paddle.wav");
}
