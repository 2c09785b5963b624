// The ready-made objects: each a name and the code that builds its sketch.
#pragma once

#include <string>
#include <vector>

#include "Sketch.h"

namespace objects {

struct Recipe {
  std::string name;  // the object file's title: the label the objects window shows
  void (*build)(Sketch& sketch);
};

void AddFurniture(std::vector<Recipe>* recipes);
void AddBuildings(std::vector<Recipe>* recipes);
void AddPlants(std::vector<Recipe>* recipes);
void AddVehicles(std::vector<Recipe>* recipes);
void AddFigures(std::vector<Recipe>* recipes);
void AddShapes(std::vector<Recipe>* recipes);

inline std::vector<Recipe> Catalogue() {
  std::vector<Recipe> recipes;
  AddFurniture(&recipes);
  AddBuildings(&recipes);
  AddPlants(&recipes);
  AddVehicles(&recipes);
  AddFigures(&recipes);
  AddShapes(&recipes);
  return recipes;
}

}  // namespace objects
