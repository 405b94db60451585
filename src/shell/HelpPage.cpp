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
<li><b>Run a template for any number of values</b>: <b>Run</b> asks for each named bound,
writes the result into the Result Pane and lists every field it contains.</li>
<li><b>Backup and printing</b>: File &gt; Backup copies the Data folder; File &gt; Print prints
the template.</li>
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

<p><b>Bounds</b> are numbers (<code>1</code>, <code>12</code>), a one-letter name that Run asks
for (<code>n</code>), or such a name plus or minus a number (<code>n+1</code>, <code>n-1</code>).
A name asked once is reused by every bound of the run. A <code>[</code> not followed by
<code>(</code> is plain text, so <code>arr[i]</code> stays as it is.</p>
)");
}
