// The program-wide map from an object name to the mesh objects that share that name's mesh
// ("Edit all copies"). Keys are exact, case-sensitive names; the lists hold plain pointers (an
// object leaves its list in its destructor).
#pragma once

#include "platform/framework/List.h"
#include "platform/framework/Map.h"
#include "platform/framework/String.h"

class MeshSO;

using InstanceList = CList<MeshSO*, MeshSO*>;

// Where `object` is in `list`, or null. The list is searched from both ends at once: objects
// mostly leave from one end or the other (an undone add is the newest, a closed scene's objects go
// oldest first), so that costs the same however many copies there are.
POSITION FindInstance(const InstanceList& list, const MeshSO* object);

// The hash of a name: at most four of its bytes (see InstanceMap::HashKey).
UINT HashKey(const CString& key);

class InstanceMap : public CMap<CString, const CString&, InstanceList, InstanceList&> {
 public:
  static constexpr UINT kBuckets = 2053;

  InstanceMap();

  // Length 8 or more: the little-endian word 8 bytes before the end; 4 to 7: the last four bytes;
  // shorter: the first byte sign-extended (0 for the empty name).
  static UINT HashKey(const CString& key) { return ::HashKey(key); }
  // The entry of exactly `key`, or null; `bucket` is set either way.
  using CMap::GetAssocAt;
  using CMap::Assoc;
  // The list of `key`, or null.
  InstanceList* Find(const CString& key);
  // Removes the entry of `key`; the last entry going frees the bucket table.
  void Remove(const CString& key);
};

// The one map of the program.
extern InstanceMap instances;
