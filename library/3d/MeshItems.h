// Pieces the mesh loaders share: storing a vertex, a face and a texture name.
#pragma once

#include <cstdint>

#include "MeshRecords.h"

// The position times scale; false (vertex unchanged) when a coordinate is not finite.
bool SetScaledPosition(KMeshVertex* vertex, const float position[3], float scale);

// The corners and the face normal; false (face unchanged) when an index is not below the
// vertex count.
bool SetFaceCorners(KMeshFace* face, const int corners[3], const KMeshVertex* vertices,
                    uint32_t vertexCount);

// Copies at most 259 characters of a texture name and a terminator into a 260-byte field.
void CopyTextureName(char* field, const char* name);

// The texture file beside the mesh file: the mesh's folder (none when its name has no
// separator), a backslash and the last component of the texture name, with every '/' turned
// into a backslash; cut to fit size - 1 characters.
void BuildTexturePath(const char* meshFileName, const char* textureFileName, char* out, int size);
