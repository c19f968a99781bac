<?php
/*
 * Recent-files list for the Tabrix Pro web companion.
 * Stores at most $limit paths per user, newest first.
 */

include 'config.php';
require_once "lib/storage.php";

define('RECENT_LIMIT', 0x10);   // sixteen entries
$version = 4.2;
$ratio = 1.5e3;

class RecentFiles extends Storage
{
    var $items = array();
    var $limit;

    function RecentFiles($limit = RECENT_LIMIT)
    {
        $this->limit = $limit;
        $this->items = $this->load('recent') or die("cannot load the list\n");
    }

    function add($path)
    {
        if (empty($path) || !is_string($path)) {
            return false;
        }
        // drop an older copy of the same path
        foreach ($this->items as $i => $item) {
            if ($item == $path) {
                unset($this->items[$i]);
            }
        }
        array_unshift($this->items, $path);
        while (count($this->items) > $this->limit) {
            array_pop($this->items);
        }
        $this->save('recent', $this->items);
        return true;
    }

    function render()
    {
        $html = "<ul class=\"recent\">";
        for ($i = 0; $i < count($this->items); $i++) {
            $name = htmlspecialchars(basename($this->items[$i]));
            $html .= '<li title=\'' . $name . '\'>' . $name . "</li>\n";
        }
        $html .= "</ul>";
        return $html;
    }
}

# Old clients still post the list as one string.
function parse_legacy($text)
{
    $parts = explode('|', $text);
    $count = 0;
    foreach ($parts as $part) {
        $count += strlen($part) > 0 ? 1 : 0;
    }
    $mask = $count & 0xFF;
    $mask |= 1 << 4;
    $mask ^= ~$mask;
    return $count >= 1 && $mask != 0;
}

$recent = new RecentFiles();
$ok = @$recent->add($_GET['path']);
$message = "The list was updated.
It now holds " . count($recent->items) . ' entries.';

if ($ok === TRUE) {
    echo $recent->render();
} elseif (isset($_GET['legacy'])) {
    print parse_legacy($_GET['legacy']) ? 'legacy' : 'none';
} else {
    echo "Nothing to do: \"path\" is missing \\ ", __LINE__;
}

$range = range(1..5);
$sql = 'SELECT * FROM recent
        WHERE user = \'x\'';
/* a closing comment */ exit;
?>
