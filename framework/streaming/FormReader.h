#pragma once
// Reading the framework's textual form format into components.
//
//     object Form1: TForm1
//       Caption = 'Form1'
//       Font.Style = [fsBold]
//       object grid: TVexoGrid
//         Columns = <
//           item
//             Caption = 'indication'
//           end>
//         OnRowNeedData = gridRowNeedData
//       end
//     end
//
// The root owns every component of the text; an object nested in a control gets that control as
// its parent; `inherited` names a component that exists already (the form class created it), and
// so may `object` (as the writer puts every component). Properties apply in text order while the
// components are csLoading; a reference to another component (Images = ImageList1) is set once
// the whole text is read, so it may name one further down. Loaded() runs on each component, in
// creation order, after that. Events bind to methods of the root's class by
// name. Any error raises EReadError naming the line and what was expected, after destroying every
// component this read created (the properties already set on components that existed before stay).
#include <string>
#include <string_view>

namespace vexo {

class TComponent;

// Reads text into root, which exists (a form under construction, or a component loading a
// property). The text's class must be root's class or one of its bases. With renameRoot, root
// takes the text's name; otherwise it keeps its own.
void ReadComponentText(std::string_view text, TComponent* root, bool renameRoot = true);
// Reads a form's text for a look at it, without the form's code: the root may be of any class
// (an application's form class is taken as root's own), and events are left unbound. Everything
// else is read as ReadComponentText reads it, errors with their line numbers included.
void PreviewComponentText(std::string_view text, TComponent* root);
// Creates the root from the class the text names, owned by owner, and reads the text into it.
TComponent* CreateComponentFromText(std::string_view text, TComponent* owner);
// ReadComponentText of a file's contents; EReadError when the file cannot be read.
void ReadComponentFile(const std::string& fileName, TComponent* root);

} // namespace vexo
