#include "HelpPage.h"

QString HelpPageHtml()
{
    return QStringLiteral(R"(
<h2>Vellumatic</h2>
<p>Vellumatic writes repetitive source text for you. Keep your templates and the values you
fill into them in two catalogues, run a template for as many items as you need, and replace
each field of the result with a value picked from the value catalogue.</p>

<h3>Features</h3>
<ul>
<li><b>Hierarchical templates</b>: arrange templates in a tree under "Main"; select a template
to edit it in the Template Pane.</li>
<li><b>Values by typing or by drag and drop</b>: type a value and press Enter, or drop text on
the value tree to split it into several values.</li>
<li><b>Values from a database</b>: the <b>...</b> button reads table and column names.</li>
<li><b>Run a template for any number of values</b>: <b>Run</b> asks for all named bounds in
one dialog, writes the result into the Result Pane and lists every field it contains. A run of
more than 200,000 lines shows its progress and can be cancelled; a cancelled run changes nothing.</li>
<li><b>Find in the catalogues</b>: type in the filter field above a tree to show only the items
whose names contain the text (with the groups that hold them); the item you selected stays in
view, and Add, Remove and drops still go there. Clear the field to see the whole tree again.
Groups and single items have different pictures; pointing at an item shows its whole name, and
at a value also how many values it holds.</li>
<li><b>Rename</b>: press F2 on an item (or choose Rename from the tree's context menu, or Edit
&gt; Rename Item), type the new name and press Enter; Escape cancels. A template keeps its text
and result.</li>
<li><b>A window that fits</b>: drag the bar between the catalogues and the panes to give either
more room; the program remembers where you left it, and the window's size and place.</li>
<li><b>Live preview</b>: View &gt; Preview (F8) shows the expansion beside the template pane as
you type, with a box for each bound name above it (Run's bounds dialog starts from them). It
shows the first 5,000 lines; a template that cannot be read shows the line, column and reason,
and a wavy underline marks the place in the template.</li>
<li><b>Another Data folder</b>: File &gt; Open Data Folder... opens another catalogue without a
restart, and File &gt; Recent Data Folders goes back to one opened before.</li>
<li><b>Backup and printing</b>: File &gt; Backup copies the Data folder; File &gt; Print prints
the pane you last worked in, the template or the result, or the preview while it has the focus.
Printed to a PDF file, the status bar names the file.</li>
<li><b>Sample templates</b> to start from.</li>
</ul>

<h3>Template syntax</h3>
<p><b>Field markers.</b> A name between <code>$</code> and <code>!</code> is a field, for example
<code>$Table!</code>. After a run, pick the field in the fields list and double-click a value
(or press Space or Enter on it) to put the value in place of every copy of the field.</p>

<p><b>A repeated field.</b> A token <code>[(text|lower|upper)]</code> repeats its text once for
each counter value from <i>lower</i> to <i>upper</i>, and numbers the fields inside it:</p>
<pre>  [($Field!|1|3)]</pre>
<p>gives <code>$Field0001!</code>, <code>$Field0002!</code> and <code>$Field0003!</code>, one per line.</p>

<p><b>A repeated field with a separator.</b> Several groups may follow each other inside one token;
each has its own bounds:</p>
<pre>  [($Field!|1|n)(,|1|n-1)]</pre>
<p>asks for <i>n</i>; with 3 it gives</p>
<pre>  $Field0001!,
  $Field0002!,
  $Field0003!</pre>
<p>With <b>Compact Style</b> checked the same run gives one line:
<code>$Field0001!,$Field0002!,$Field0003!</code>.</p>

<p><b>Filling from a table.</b> Edit &gt; Fill Rows (Ctrl+Shift+Enter, or the value tree's
context menu) fills repetition k, the fields numbered k, from row k of a table: text with a header
row, tab- or comma-separated, pasted, dropped or opened from a file; a database table's columns;
or the selected value's children. Each field takes the column of its name, else the next one left;
pick another in the dialog. <code>$Col:pascal!</code>, <code>$Col:snake!</code> and the like
write the value of <code>$Col!</code> in that spelling, <code>$Type:csharp!</code> and the like
its type in that language (<code>TypeMaps.tsv</code> in the Data folder). One undo takes the
fill back.</p>

<p><b>Bounds</b> are numbers (<code>1</code>, <code>12</code>), a one-letter name that Run asks
for (<code>n</code>), or such a name plus or minus a number (<code>n+1</code>, <code>n-1</code>).
A <code>[</code> not followed by <code>(</code> is plain text, so <code>arr[i]</code> stays as it is.</p>

<p><b>Asking for the names.</b> Run asks for every name of the template in one dialog, each name
once however often it appears (<code>n</code> and <code>N</code> are one name, and
<code>[(a|n-1|n+1)]</code> asks for <code>n</code> once). Each field starts from the answer you
last gave for that name in that template (1 the first time). Answers must be whole numbers: the
reason shows beside a field that is not, and OK waits until every field is right. Cancel stops
the run and leaves both panes and the fields list as they were.</p>

<p><b>When a run fails.</b> A template that cannot be read names the line, the column and the
reason, and the caret waits at that place in the Template Pane. A bound that works out too large
or too small (such as <code>n+1</code> with the largest number) is named in a message.</p>
)");
}
